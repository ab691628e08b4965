// ds-host serve: a drawing's grid tables, every cell edited in place. A value
// is checked here first (number, whole number, choice, limits) and only then
// sent; the server checks it again as the grid does and may refuse it. A
// refused value stays in its cell, marked, with the reason, until that cell is
// edited successfully.
'use strict';

const NUMBER = /^\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?\s*$/;

function inRange(range, number) {
  if (range.zero_unset && number === 0) return true;
  if (range.min_open ? number <= range.min : number < range.min) return false;
  return range.max_open ? number < range.max : number <= range.max;
}

/** Why the number text `text` does not fit `column`, or ''. */
function numberRefusal(column, text, whole) {
  const number = Number(text);
  if (!NUMBER.test(text) || !Number.isFinite(number)) return `"${text}" is not a number`;
  if (whole && !Number.isInteger(number)) return `"${text}" is not a whole number`;
  if (column.range && !inRange(column.range, number)) return `${text} is outside the limits: ${column.limits}`;
  return '';
}

/**
 * Why `value` does not fit `column`, or ''. The column carries the field
 * catalogue's description (kind, range, choices, length); the server checks
 * again with the catalogue itself, so this only spares a round trip.
 */
function dsCheckValue(column, value) {
  if (column.choices && !column.choices.includes(value) && !(value === '' && column.kind !== 'choice'))
    return `"${value}" is not one of the choices: ${column.choices.join(', ')}`;
  if (column.max_chars && [...value].length > column.max_chars)
    return `the text is longer than ${column.max_chars} characters`;
  if (column.required && value.trim() === '') return 'this cell needs a text';
  if (column.kind === 'real' || column.kind === 'integer') return numberRefusal(column, value, column.kind === 'integer');
  if (column.kind === 'heights') {
    const separators = new RegExp('[' + (column.separators || ',').replace(/[\]\\^-]/g, '\\$&') + ']');
    for (const piece of value.split(separators).filter((x) => x.trim() !== '')) {
      const reason = numberRefusal(column, piece.trim(), false);
      if (reason) return reason + ` (${column.limits})`;
    }
  }
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
  input.title = column.caption + (column.limits ? `: ${column.limits}` : '');
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
    if (answer.data.sheets) dsRenderSheet(answer.data.sheets);
    return dsOpenDrawing(ds.drawing.tag, !answer.data.sheets);
  }
  if (answer.data.code === 'reload') return dsNotice(answer.data.error, true);
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
  if (answer.data.code === 'reload') dsNotice(answer.data.error, true);
}

function headingOf(column) {
  return el('span', {}, column.caption,
    column.unit && !column.caption.includes(column.unit) ? el('span', { className: 'unit' }, ` ${column.unit}`) : null,
    column.limits && column.kind !== 'text' && column.kind !== 'choice' && !column.choices ? el('div', { className: 'limits' }, column.limits) : null);
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
