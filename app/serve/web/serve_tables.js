// ds-host serve: a drawing's grid tables, every cell edited in place (the
// grids themselves: serve_grid.js). A value is checked here first (number,
// whole number, choice, limits) and only then sent; the server checks it again
// as the grid does and may refuse it. A refused value stays in its cell,
// marked, with the reason, until that cell is edited successfully. Edits go
// out one after another in the order they were made, each with the version
// the one before left, and none is dropped; an answer brings the rows that
// changed and the sheet, and only those are drawn again.
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

/** Full-width digits and separators, as a Chinese input method types them, in their ASCII forms. */
function dsAscii(text) {
  return text.replace(/[\uFF01-\uFF5E]/g, (ch) => String.fromCharCode(ch.charCodeAt(0) - 0xFEE0))
    .replace(/\u3000/g, ' ').replace(/\u3001/g, ',').replace(/\u3002/g, '.');
}

function isNumberColumn(column) { return ['real', 'integer', 'heights'].includes(column.kind); }

/** The cell of `column` holding `value`: an input, a choice list or, for a note of lines, a text area. */
function cellInput(column, value, where) {
  const refusal = ds.refusals.get(refusalKey(where.table, where.row, where.key));
  const shown = refusal ? refusal.value : value;
  let input;
  if (column.choices && !column.read_only) {
    const choices = column.choices.includes(shown) ? column.choices : [shown, ...column.choices];
    input = el('select', {}, choices.map((c) => el('option', { value: c, selected: c === shown }, c)));
    input.addEventListener('change', () => dsCommit(input));
  } else if (column.multi_line && !where.row) {
    input = el('textarea', { rows: Math.min(8, Math.max(2, shown.split('\n').length + 1)), cols: 40 });
    input.value = shown;
  } else {
    input = el('input', { value: shown, size: 8 });
    input.addEventListener('paste', (e) => dsPasteBlock(e, where));
  }
  Object.assign(input.dataset, { table: where.table, row: where.row, key: where.key, r: where.r, c: where.c });
  input.dsColumn = column;
  input.dsValue = shown;
  input.title = column.caption + (column.limits ? `: ${column.limits}` : '');
  let className = refusal ? 'refused' : '';
  if (column.read_only) {
    input.readOnly = true;
    input.disabled = input.tagName === 'SELECT';
    input.title = `read-only: ${column.reason || 'the observer does not read this cell back'}`;
    className += ' readonly';
  }
  const cell = el('td', { className }, input);
  if (refusal) cell.append(el('div', { className: 'reason' }, refusal.reason));
  if (column.read_only && column.reason) cell.append(el('div', { className: 'readonly-reason' }, column.reason));
  return cell;
}

function markRefused(input, reason) {
  const where = input.dataset;
  ds.refusals.set(refusalKey(where.table, where.row, where.key), { value: input.value, reason });
  const cell = input.closest('td');
  if (!cell) return;
  cell.classList.add('refused');
  cell.querySelector('.reason')?.remove();
  cell.append(el('div', { className: 'reason' }, reason));
}

/** Puts back what the cell showed before the engineer typed (Escape). */
function dsRevert(input) { input.value = input.dsValue; }

/** The engineer left a cell: a changed value is checked and queued to be sent. */
function dsCommit(input) {
  if (!input.dsColumn || input.readOnly || input.value === input.dsValue) return;
  const column = input.dsColumn;
  let note = '';
  if (isNumberColumn(column)) {
    const ascii = dsAscii(input.value);
    if (ascii !== input.value) {
      note = `"${input.value}" read as "${ascii}" (full-width digits and separators are taken as ASCII)`;
      dsShowLines('full-width input', { lines: [note] });
      input.value = ascii;
      if (ascii === input.dsValue) return;
    }
  }
  input.dsValue = input.value;
  const reason = dsCheckValue(column, input.value);
  if (reason) return markRefused(input, reason + ' (not sent)');
  const where = { ...input.dataset };
  const grid = ds.grids.get(where.table);
  const before = dsModelValue(grid, where);
  dsSetModelValue(grid, where, input.value);
  input.closest('td')?.classList.add('pending');
  const edit = { tag: ds.drawing.tag, where, value: input.value, before, grid, note };
  ds.queued += 1;
  ds.queue = ds.queue.then(() => dsSendEdit(edit)).finally(() => { ds.queued -= 1; });
  return ds.queue;
}

function dsModelValue(grid, where) {
  if (!grid) return '';
  if (!grid.list) return grid.table.cells[Number(where.r)].value;
  const row = grid.table.rows[Number(where.r)];
  return row ? row[Number(where.c)] : '';
}

function dsSetModelValue(grid, where, value) {
  if (!grid) return;
  if (!grid.list) grid.table.cells[Number(where.r)].value = value;
  else if (grid.table.rows[Number(where.r)]) grid.table.rows[Number(where.r)][Number(where.c)] = value;
}

/** The rendered input of a cell, when its row is in view. */
function inputAt(where) {
  return document.querySelector(`table[data-table="${CSS.escape(where.table)}"] [data-row="${where.row}"][data-key="${CSS.escape(where.key)}"]`);
}

async function dsSendEdit(edit) {
  const { where, value } = edit;
  if (!ds.drawing || ds.drawing.tag !== edit.tag) return;
  const answer = await dsPost('/api/edit', {
    tag: edit.tag, version: ds.drawing.version, mode: ds.mode, sheet: ds.sheet,
    table: where.table, row: Number(where.row), key: where.key, value,
  });
  if (!ds.drawing || ds.drawing.tag !== edit.tag) return;
  const input = inputAt(where);
  input?.closest('td')?.classList.remove('pending');
  const label = `${where.table}${Number(where.row) ? '[' + where.row + ']' : ''}.${where.key} = ${value}`;
  dsShowLines(label, edit.note ? { ...answer.data, lines: [edit.note, ...(answer.data.lines || [])] } : answer.data);
  if (answer.ok) {
    ds.refusals.delete(refusalKey(where.table, where.row, where.key));
    if (input && input.closest('td').classList.contains('refused')) {
      input.closest('td').classList.remove('refused');
      input.closest('td').querySelector('.reason')?.remove();
    }
    ds.drawing.version = answer.data.version;
    document.getElementById('drawing-version').textContent = answer.data.version;
    if (answer.data.changed) {
      // The tab has a change to undo now, and a new change ends its redo list.
      document.getElementById('undo').disabled = false;
      document.getElementById('redo').disabled = true;
    }
    if (answer.data.tables) dsRenderTables(answer.data.tables, true);
    else if (answer.data.patch) dsApplyPatch(answer.data.patch);
    // The sheet of the last edit in the queue is the one that counts: the ones before it are not drawn.
    if (answer.data.sheets && ds.queued <= 1) dsRenderSheet(answer.data.sheets);
    return;
  }
  dsSetModelValue(edit.grid, where, edit.before);
  if (answer.data.code === 'reload') return dsNotice(answer.data.error, true);
  if (input) markRefused(input, answer.data.error);
  else ds.refusals.set(refusalKey(where.table, where.row, where.key), { value, reason: answer.data.error });
}

/** Takes an edit's changed rows and cells into the tables and draws just those again. */
function dsApplyPatch(patch) {
  for (const change of patch) {
    const grid = ds.grids.get(change.name);
    if (!grid) continue;
    if (change.cells) {
      for (const [key, value] of Object.entries(change.cells)) {
        const cell = grid.table.cells.find((c) => c.key === key);
        if (cell) cell.value = value;
        grid.refreshCell(key);
      }
      continue;
    }
    const rows = grid.table.rows;
    const oldCount = rows.length;
    rows.length = change.count;
    for (const [i, row] of Object.entries(change.rows)) rows[Number(i)] = row;
    const redraw = new Set(Object.keys(change.rows).map(Number));
    // A row more or fewer moves the row that appends one: redraw from there.
    if (change.count !== oldCount)
      for (const r of grid.rendered.keys()) if (r >= Math.min(oldCount, change.count)) redraw.add(r);
    for (const r of redraw) grid.refreshRow(r);
    if (change.count !== oldCount) grid.renderWindow();
  }
}

/** A block copied from a spreadsheet (tabs and line breaks) goes in as one paste, each cell checked as typed. */
async function dsPasteBlock(event, where) {
  const text = event.clipboardData.getData('text/plain');
  if (!/[\t\n]/.test(text.replace(/\r?\n$/, ''))) return;
  event.preventDefault();
  await ds.queue;
  const answer = await dsPost('/api/paste', {
    tag: ds.drawing.tag, version: ds.drawing.version, mode: ds.mode,
    table: where.table, row: Number(where.row), key: where.key, text,
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

/**
 * Renders the drawing's tables (grid_tables_json) into #tables. With `keepFocus`, the cell
 * that had the focus (by table, row and column) gets it back.
 */
function dsRenderTables(tables, keepFocus) {
  const active = keepFocus && document.activeElement && document.activeElement.dataset ? { ...document.activeElement.dataset } : null;
  const box = document.getElementById('tables');
  box.textContent = '';
  ds.grids = new Map();
  const hooks = { cell: cellInput, commit: dsCommit, revert: dsRevert };
  for (const group of tables.templates) {
    box.append(el('h3', {}, group.name));
    for (const table of group.tables) {
      const title = table.title === table.name ? table.title : `${table.title} (${table.name})`;
      const grid = new DsGrid(table, hooks);
      ds.grids.set(table.name, grid);
      box.append(el('div', { className: 'table-title' }, title), grid.node);
      grid.renderWindow();
    }
  }
  if (active && active.table && ds.grids.has(active.table)) ds.grids.get(active.table).focusCell(Number(active.r), Number(active.c));
}
