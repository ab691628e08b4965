// ds-host serve: a drawing's grid tables, every cell edited in place. A value
// is checked here first (number, whole number, choice, limits) and only then
// sent; the server checks it again as the grid does and may refuse it. A
// refused value stays in its cell, marked, with the reason, until that cell is
// edited successfully.
'use strict';

const NUMBER = /^\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?\s*$/;

/** Why `value` does not fit `column` ({kind, choices, min, max}), or ''. */
function dsCheckValue(column, value) {
  if (column.choices && value !== '' && !column.choices.includes(value))
    return `"${value}" is not one of the choices: ${column.choices.join(', ')}`;
  if (column.kind !== 'real' && column.kind !== 'integer') return '';
  if (!NUMBER.test(value)) return `"${value}" is not a number`;
  const number = Number(value);
  if (!Number.isFinite(number)) return `"${value}" is not a number`;
  if (column.kind === 'integer' && !Number.isInteger(number)) return `"${value}" is not a whole number`;
  if (column.min !== undefined && number < column.min) return `${value} is below the least value, ${column.min}`;
  if (column.max !== undefined && number > column.max) return `${value} is above the largest value, ${column.max}`;
  return '';
}

function refusalKey(table, row, key) { return `${table}|${row}|${key}`; }

/** The input (or choice list) of one cell; `where` = {table, row, key}. */
function cellInput(column, value, where) {
  const refusal = ds.refusals.get(refusalKey(where.table, where.row, where.key));
  const shown = refusal ? refusal.value : value;
  let input;
  if (column.choices) {
    const choices = column.choices.includes(shown) ? column.choices : [shown, ...column.choices];
    input = el('select', {}, choices.map((c) => el('option', { value: c, selected: c === shown }, c)));
  } else {
    input = el('input', { value: shown, size: 8 });
    input.addEventListener('keydown', (e) => { if (e.key === 'Enter') input.blur(); });
    input.addEventListener('paste', (e) => dsPasteBlock(e, where));
  }
  input.dataset.table = where.table;
  input.dataset.row = where.row;
  input.dataset.key = where.key;
  input.title = column.caption + (column.unit ? ` (${column.unit})` : '');
  input.addEventListener('change', () => dsSendEdit(column, where, input));
  const cell = el('td', { className: refusal ? 'refused' : '' }, input);
  if (refusal) cell.append(el('div', { className: 'reason' }, refusal.reason));
  return cell;
}

function markRefused(input, where, reason) {
  ds.refusals.set(refusalKey(where.table, where.row, where.key), { value: input.value, reason });
  const cell = input.closest('td');
  cell.classList.add('refused');
  cell.querySelector('.reason')?.remove();
  cell.append(el('div', { className: 'reason' }, reason));
}

async function dsSendEdit(column, where, input) {
  const reason = dsCheckValue(column, input.value);
  if (reason) return markRefused(input, where, reason + ' (not sent)');
  input.closest('td').classList.add('pending');
  const answer = await dsPost('/api/edit', {
    tag: ds.drawing.tag, version: ds.drawing.version, mode: ds.mode, sheet: ds.sheet,
    table: where.table, row: where.row, key: where.key, value: input.value,
  });
  input.closest('td')?.classList.remove('pending');
  const label = `${where.table}${where.row ? '[' + where.row + ']' : ''}.${where.key} = ${input.value}`;
  dsShowLines(label, answer.data);
  if (answer.ok) {
    ds.refusals.delete(refusalKey(where.table, where.row, where.key));
    return dsOpenDrawing(ds.drawing.tag);
  }
  if (answer.data.code === 'reload') return dsNotice(answer.data.error);
  markRefused(input, where, answer.data.error);
}

/** A block copied from a spreadsheet (tabs and line breaks) goes in as one paste, each cell checked as typed. */
async function dsPasteBlock(event, where) {
  const text = event.clipboardData.getData('text/plain');
  if (!/[\t\n]/.test(text.replace(/\r?\n$/, ''))) return;
  event.preventDefault();
  const answer = await dsPost('/api/paste', {
    tag: ds.drawing.tag, version: ds.drawing.version, mode: ds.mode,
    table: where.table, row: where.row, key: where.key, text,
  });
  dsShowLines(`paste into ${where.table} at ${where.key}`, answer.data);
  if (answer.ok) return dsOpenDrawing(ds.drawing.tag);
  if (answer.data.code === 'reload') dsNotice(answer.data.error);
}

function headingOf(column) {
  return el('span', {}, column.caption, column.unit && !column.caption.includes(column.unit) ? el('span', { className: 'unit' }, ` ${column.unit}`) : null);
}

function propertyTable(table) {
  return el('table', { className: 'grid', 'data-table': table.name },
    table.cells.map((c) => el('tr', {},
      el('td', { className: 'caption', title: c.key }, headingOf(c)),
      cellInput(c, c.value, { table: table.name, row: 0, key: c.key }))));
}

function listTable(table) {
  const head = el('tr', {}, el('th', {}, '#'), table.columns.map((c) => el('th', { title: c.key }, headingOf(c))));
  const rows = table.rows.map((values, r) => el('tr', {}, el('td', {}, r + 1),
    table.columns.map((c, i) => cellInput(c, values[i], { table: table.name, row: r + 1, key: c.key }))));
  // One row past the last appends a row, as in the host's grid.
  const next = table.rows.length + 1;
  const append = el('tr', { className: 'append' }, el('td', { title: 'type here to add a row' }, '+'),
    table.columns.map((c) => cellInput(c, '', { table: table.name, row: next, key: c.key })));
  return el('table', { className: 'grid', 'data-table': table.name }, head, rows, append);
}

/** Renders the drawing's tables (grid_tables_json) into #tables. */
function dsRenderTables(tables) {
  const box = document.getElementById('tables');
  box.textContent = '';
  for (const group of tables.templates) {
    box.append(el('h3', {}, group.name));
    for (const table of group.tables) {
      const title = table.title === table.name ? table.title : `${table.title} (${table.name})`;
      box.append(el('div', { className: 'table-title' }, title));
      box.append(table.list ? listTable(table) : propertyTable(table));
    }
  }
}
