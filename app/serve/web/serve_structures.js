// ds-host serve: the structure table (墩台表), one line per pedestal row of a
// pier or abutment, worked as the drawing tables are (serve_grid.js): typed
// into, a block pasted from a spreadsheet, structures added and removed. The
// page checks nothing here: the server reads the edited table as it reads a
// table file and refuses a cell in the same words, naming it as a sheet of the
// table would ("J2", the captions being row 1, as the row numbers show). Beside
// the table, per structure, the drawings on it; an edit marks the ones it made
// stale, and the refresh button brings them up to date.
'use strict';

const STRUCTURE_TABLE = '墩台表';

ds.structures = null;             // the last /api/structures answer
ds.structureRefusals = new Map(); // "line|column" -> {value, reason}

/** The grid's rows are the table's lines; its '#' column shows each line's row in a sheet of the table. */
class DsStructureGrid extends DsGrid {
  makeRow(r) {
    const row = super.makeRow(r);
    const number = row.querySelector('td.row-number');
    if (r < this.table.rows.length) {
      number.textContent = r + 2;
      number.title = `row ${r + 2} of the table as a sheet (the captions are row 1)`;
    } else {
      number.title = 'paste lines here to add structures';
    }
    return row;
  }
}

function structuresShown() { return !document.getElementById('structures-view').hidden; }

function structureKey(line, column) { return `${line}|${column}`; }

/** The cell's editor: a choice list for 墩台类型, a text box otherwise. */
function structureCell(column, value, where) {
  const line = where.row;
  const refusal = ds.structureRefusals.get(structureKey(line, column.column));
  const shown = refusal ? refusal.value : (value === undefined ? '' : value);
  let input;
  if (column.choices && line <= ds.structures.lines.length) {
    const choices = column.choices.includes(shown) ? column.choices : [shown, ...column.choices];
    input = el('select', {}, choices.map((c) => el('option', { value: c, selected: c === shown }, c)));
    input.addEventListener('change', () => dsStructureCommit(input));
  } else {
    input = el('input', { value: shown, size: 8 });
  }
  input.addEventListener('paste', (e) => dsStructurePaste(e, line, column.column));
  Object.assign(input.dataset, { table: STRUCTURE_TABLE, row: line, key: column.key, r: where.r, c: where.c, column: column.column });
  input.dsColumn = column;
  input.dsValue = shown;
  input.title = `${column.letter}${line + 1} ${column.caption}` + (column.limits ? `: ${column.limits}` : '');
  const cell = el('td', { className: refusal ? 'refused' : '' }, input);
  if (refusal) cell.append(el('div', { className: 'reason' }, refusal.reason));
  return cell;
}

function markStructureRefused(input, reason) {
  ds.structureRefusals.set(structureKey(input.dataset.row, input.dataset.column), { value: input.value, reason });
  const cell = input.closest('td');
  if (!cell) return;
  cell.classList.add('refused');
  cell.querySelector('.reason')?.remove();
  cell.append(el('div', { className: 'reason' }, reason));
}

/** A refused removal names the drawings on the structure; the button confirms it. */
function removeRetries(request, path) {
  return { force_remove: { label: '仍然删除 Remove anyway', run: () => dsStructureStep('remove', path, { ...request, force: true }) } };
}

/** The engineer left a cell: a changed value is queued to be sent, after the edits before it. */
function dsStructureCommit(input) {
  if (!input.dsColumn || input.value === input.dsValue) return;
  let note = '';
  if (isNumberColumn(input.dsColumn)) {
    const ascii = dsAscii(input.value);
    if (ascii !== input.value) {
      note = `"${input.value}" read as "${ascii}" (full-width digits and separators are taken as ASCII)`;
      input.value = ascii;
      if (ascii === input.dsValue) return;
    }
  }
  input.dsValue = input.value;
  const edit = { line: Number(input.dataset.row), column: Number(input.dataset.column), value: input.value, note };
  input.closest('td')?.classList.add('pending');
  ds.queue = ds.queue.then(() => dsSendStructureEdit(edit));
  return ds.queue;
}

function structureInput(line, column) {
  return document.querySelector(`#structures-view [data-row="${line}"][data-column="${column}"]`);
}

async function dsSendStructureEdit(edit) {
  if (!ds.structures) return;
  const request = { version: ds.structures.version, line: edit.line, column: edit.column, value: edit.value };
  const answer = await dsPost('/api/structures/edit', request);
  const caption = ds.structures.columns[edit.column];
  const title = `${caption.letter}${edit.line + 1} ${caption.caption} = ${edit.value}`;
  const data = edit.note ? { ...answer.data, lines: [edit.note, ...(answer.data.lines || [])] } : answer.data;
  dsShowLines(title, data, removeRetries(request, '/api/structures/edit'));
  const input = structureInput(edit.line, edit.column);
  input?.closest('td')?.classList.remove('pending');
  if (answer.ok) {
    ds.structureRefusals.delete(structureKey(edit.line, edit.column));
    return dsTakeStructures(answer.data.structures);
  }
  if (answer.data.code === 'reload') return dsNotice(answer.data.error, true);
  if (input) markStructureRefused(input, answer.data.error);
  else ds.structureRefusals.set(structureKey(edit.line, edit.column), { value: edit.value, reason: answer.data.error });
}

/** A block copied from a spreadsheet: every cell from this one on, read as one edited table. */
async function dsStructurePaste(event, line, column) {
  const text = event.clipboardData.getData('text/plain');
  if (!/[\t\n]/.test(text.replace(/\r?\n$/, ''))) return;
  event.preventDefault();
  await ds.queue;
  const request = { version: ds.structures.version, line, column, text };
  const answer = await dsPost('/api/structures/paste', request);
  dsShowLines(`paste into the structure table at ${ds.structures.columns[column].letter}${line + 1}`, answer.data,
    removeRetries(request, '/api/structures/paste'));
  if (answer.ok) return dsTakeStructures(answer.data.structures, true);
  if (answer.data.code === 'reload') dsNotice(answer.data.error, true);
}

/** Runs a step on the structures (add, remove, refresh, a forced edit) and shows the table it leaves. */
async function dsStructureStep(title, path, request) {
  await ds.queue;
  const answer = await dsPost(path, request);
  dsShowLines(title, answer.data, removeRetries(request, path));
  if (answer.data.code === 'reload') dsNotice(answer.data.error, true);
  if (answer.ok) await dsTakeStructures(answer.data.structures, true);
  return answer.ok;
}

/** The drawings on each structure, stale ones marked, each structure with its remove button. */
function structureDrawings(structures) {
  return el('ul', { id: 'structure-drawings' }, structures.map((s) => el('li', { 'data-structure': s.name },
    el('b', {}, s.name), ': ',
    s.drawings.length ? s.drawings.flatMap((d, i) => [i ? ', ' : '', el('span', {
      className: 'structure-drawing' + (d.stale ? ' stale' : '') + (d.refreshable ? '' : ' unrefreshable'), 'data-drawing': d.name,
      title: d.refreshable ? (d.stale ? 'stale: its structure changed since it copied it' : 'up to date') : d.why_not,
    }, d.name, d.stale ? ' (过期 stale)' : '')]) : el('span', { className: 'none' }, '无图纸 no drawing'),
    ' ', el('button', { className: 'small', onclick: () => dsStructureStep('remove ' + s.name, '/api/structures/remove', { structure: s.name }) },
      '删除 Remove'))));
}

/** The column of 垫石排号: the form adds the rows chosen beside it. */
const ROW_COLUMN = 6;

/** A structure typed into a form: one box per column (the defaults filled in) and the rows to add. */
function structureAddForm(columns) {
  const boxes = columns.map((c) => c.column === ROW_COLUMN ? null : (c.choices
    ? el('select', { 'data-column': c.column }, c.choices.map((x) => el('option', { value: x, selected: x === c.default }, x)))
    : el('input', { 'data-column': c.column, value: c.default || '', size: 6 })));
  const rows = el('select', { id: 'add-structure-rows' },
    [['1', '第1排 row 1'], ['2', '第2排 row 2'], ['1,2', '两排 rows 1 and 2']].map(([v, t]) => el('option', { value: v }, t)));
  const add = el('button', { id: 'add-structure' }, '添加墩台 Add the structure');
  add.addEventListener('click', async () => {
    const values = columns.map((c) => boxes[c.column] ? dsAscii(boxes[c.column].value) : '');
    dsStructureStep('add a structure', '/api/structures/add', { values, rows: rows.value.split(',').map(Number) });
  });
  return fieldset('添加墩台 Add a structure (its rows alike but for 垫石排号)',
    el('div', { className: 'structure-form' }, columns.map((c) => boxes[c.column] && el('label', {}, c.caption, ' ', boxes[c.column]))),
    rows, ' ', add);
}

/**
 * Draws the structure table from an answer. After a cell's edit only the rows are drawn again and the cell
 * being typed in keeps its text; after any other step (`whole`) every cell shows what the table holds now.
 */
async function dsTakeStructures(structures, whole) {
  ds.structures = structures;
  if (whole) ds.structureRefusals.clear();  // the lines may have moved: a mark would land on another one
  const grid = ds.structureGrid;
  const stale = structures.structures.some((s) => s.drawings.some((d) => d.stale));
  document.getElementById('refresh-structures').disabled = !stale;
  document.getElementById('structure-drawings').replaceWith(structureDrawings(structures.structures));
  const rows = structures.lines.map((l) => l.cells);
  if (grid && !whole && grid.table.rows.length === rows.length) {
    grid.table.rows = rows;
    for (const r of grid.rendered.keys()) grid.refreshRow(r);
  } else {
    dsRenderStructureGrid(structures);
  }
  await dsRefreshState();
  document.getElementById('undo').disabled = ds.state.undo === 0;
}

function dsRenderStructureGrid(structures) {
  const active = document.activeElement && document.activeElement.dataset && document.activeElement.dataset.table === STRUCTURE_TABLE
    ? { ...document.activeElement.dataset } : null;
  const columns = structures.columns.map((c) => ({ ...c, key: 'c' + c.column }));
  const table = { name: STRUCTURE_TABLE, list: true, columns, rows: structures.lines.map((l) => l.cells) };
  const grid = new DsStructureGrid(table, { cell: structureCell, commit: dsStructureCommit, revert: dsRevert });
  grid.element.id = 'structure-table';
  grid.element.tHead.rows[0].querySelectorAll('th').forEach((th, i) => {
    if (i > 0) th.prepend(el('span', { className: 'letter' }, columns[i - 1].letter + ' '));
  });
  const box = document.getElementById('structure-grid');
  box.textContent = '';
  box.append(grid.node);
  ds.structureGrid = grid;
  grid.renderWindow();
  if (active) grid.focusCell(Number(active.r), Number(active.c));
}

/** Shows the structure table in place of the drawing. */
async function dsShowStructures() {
  await ds.queue;
  const answer = await dsGet('/api/structures');
  if (!answer.ok) return dsShowLines('structure table', answer.data);
  document.getElementById('editor').hidden = true;
  document.getElementById('project-view').hidden = true;
  const view = document.getElementById('structures-view');
  view.hidden = false;
  view.textContent = '';
  ds.structureGrid = null;
  const refresh = el('button', { id: 'refresh-structures', title: 'bring every stale drawing up to date from its structure' },
    '刷新 Refresh stale drawings');
  refresh.addEventListener('click', () => dsStructureStep('refresh the stale drawings', '/api/structures/refresh', {}));
  view.append(el('h2', {}, '墩台表 Structures — one line per pedestal row'),
    el('div', {}, refresh), el('ul', { id: 'structure-drawings' }), el('div', { id: 'structure-grid' }),
    el('p', { className: 'hint' }, 'Rows are numbered as in a sheet of the table whose captions are row 1, as the messages name cells. ' +
      'A shared setting (类型, 混凝土, 比例, 保护层, 附注) typed in one line is its structure\'s. Lines pasted into the + row add structures.'),
    structureAddForm(answer.data.columns));
  await dsTakeStructures(answer.data);
}

document.addEventListener('DOMContentLoaded', () => {
  document.getElementById('show-structures').addEventListener('click', () => { ds.structureRefusals.clear(); dsShowStructures(); });
});
