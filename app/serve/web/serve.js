// ds-host serve: the page's state, the drawing list, the sheet beside the
// tables, undo and redo, and the watch on the project file.
'use strict';

const ds = {
  state: null, drawing: null, mode: 'advanced', sheet: 0, refusals: new Map(),
  grids: new Map(),           // table name -> DsGrid
  queue: Promise.resolve(),   // the edits, sent one after another
  queued: 0,
};

async function dsRefreshState() {
  const answer = await dsGet('/api/state', { tab: dsTab });
  if (!answer.ok) return dsNotice(answer.data.error);
  ds.state = answer.data;
  document.getElementById('project-file').textContent = ds.state.file;
  document.getElementById('disk-banner').hidden = !ds.state.changed_on_disk;
  document.getElementById('undo').disabled = ds.state.undo === 0;
  document.getElementById('redo').disabled = ds.state.redo === 0;
  for (const kind of ['single', 'parametric', 'structure']) {
    const list = document.getElementById('list-' + kind);
    list.textContent = '';
    for (const d of ds.state.drawings.filter((x) => x.kind === kind)) {
      if (kind === 'structure') {
        const make = el('button', { className: 'small', title: 'add a single pedestal drawing that refers to ' + d.name,
          onclick: () => dsAddFor(d.name) }, '+ 垫石');
        list.append(el('li', { className: 'structure' }, d.name, ' ', make));
        continue;
      }
      const link = el('a', { href: '#', 'data-tag': d.tag, className: ds.drawing && ds.drawing.tag === d.tag ? 'current' : '' }, d.name);
      link.addEventListener('click', (e) => { e.preventDefault(); ds.refusals.clear(); ds.sheet = 0; dsOpenDrawing(d.tag); });
      list.append(el('li', {}, link));
    }
  }
}

function dsRenderSheet(sheets) {
  const select = document.getElementById('sheet-select');
  select.textContent = '';
  sheets.titles.forEach((t, i) => select.append(el('option', { value: i, selected: i === sheets.sheet }, `${i + 1}. ${t}`)));
  const design = document.getElementById('design');
  design.className = sheets.design;
  design.textContent = '';
  design.append(sheets.design === 'passed' ? '设计检查通过 design check passed' : '设计检查未通过 design check failed');
  if (sheets.findings.length) design.append(el('ul', {}, sheets.findings.map((f) => el('li', {}, f))));
  if (sheets.design === 'passed' && sheets.drawing) {
    design.append(el('div', {}, sheets.drawing.length ? '绘图检查 drawing check: ' + sheets.drawing.length + ' finding(s)'
                                                      : '绘图检查通过 drawing check passed'));
    if (sheets.drawing.length) design.append(el('ul', {}, sheets.drawing.map((f) => el('li', {}, f))));
  }
  dsShowSheet(sheets.svg);
  const tag = encodeURIComponent(ds.drawing.tag);
  document.getElementById('link-svg').href = `/api/download/svg?tag=${tag}&sheet=${sheets.sheet}`;
  document.getElementById('link-dxf').href = `/api/download/dxf?tag=${tag}&sheet=${sheets.sheet}`;
  document.getElementById('link-xlsx').href = `/api/download/xlsx?tag=${tag}`;
}

/** Shows the drawing's tables and, unless `withSheets` is false (an edit's answer brought them), its sheet. */
async function dsOpenDrawing(tag, withSheets = true) {
  await ds.queue;  // the edits typed so far go out first, whichever drawing is shown next
  const answer = await dsGet('/api/drawing', { tag, mode: ds.mode, sheet: ds.sheet, sheets: withSheets ? '1' : '0' });
  if (!answer.ok) {
    dsShowLines('open drawing', answer.data);
    return dsRefreshState();
  }
  ds.drawing = answer.data;
  document.getElementById('project-view').hidden = true;
  document.getElementById('structures-view').hidden = true;
  document.getElementById('editor').hidden = false;
  document.getElementById('drawing-name').textContent = ds.drawing.name;
  document.getElementById('drawing-version').textContent = ds.drawing.version;
  document.getElementById('mode-switch').hidden = ds.drawing.kind !== 'single';
  dsRenderTables(ds.drawing.tables);
  if (ds.drawing.sheets) dsRenderSheet(ds.drawing.sheets);
  dsRenderSteps();
  dsNotice('');
  await dsRefreshState();
}

async function dsUndo(redo) {
  await ds.queue;  // the edits typed before the click are this tab's last changes
  const answer = await dsPost(redo ? '/api/redo' : '/api/undo');
  dsShowLines(redo ? 'redo' : 'undo', answer.data);
  if (answer.ok) {
    ds.refusals.clear();
    ds.structureRefusals.clear();
    // A step on the structures is shown in their table, wherever the page was.
    const shown = ds.state && ds.state.drawings.find((d) => d.tag === answer.data.tag);
    if (structuresShown() || (shown && shown.kind === 'structure')) return dsShowStructures();
    if (answer.data.tag) return dsOpenDrawing(answer.data.tag);
    // The step took a drawing out of the project: show the project as it is now.
    await dsRefreshState();
    if (ds.drawing && !ds.state.drawings.some((d) => d.tag === ds.drawing.tag)) {
      ds.drawing = null;
      document.getElementById('editor').hidden = true;
    }
    return;
  }
  if (answer.data.code === 'reload') dsNotice(answer.data.error, true);
  await dsRefreshState();
}

async function dsReloadProject() {
  const answer = await dsPost('/api/reload');
  dsShowLines('reload the project from disk', answer.data);
  ds.refusals.clear();
  if (structuresShown()) await dsShowStructures();
  else if (ds.drawing) await dsOpenDrawing(ds.drawing.tag);
  else await dsRefreshState();
}

/** After a refusal with "reload": the file on disk is read again when it changed, else the drawing is shown again. */
async function dsReloadShown() {
  await dsRefreshState();
  if (ds.state && ds.state.changed_on_disk) return dsReloadProject();
  ds.refusals.clear();
  if (structuresShown()) await dsShowStructures();
  else if (ds.drawing) await dsOpenDrawing(ds.drawing.tag);
  dsNotice('');
}

/** A single drawing for a pier or abutment: added, named after it, and referred to it. */
async function dsAddFor(structure) {
  const answer = await dsPost('/api/drawings', { structure });
  dsShowLines('add a pedestal drawing for ' + structure, answer.data);
  if (answer.ok) await dsOpenDrawing(answer.data.tag);
}

async function dsAddDrawing(event) {
  event.preventDefault();
  const name = document.getElementById('add-name').value;
  const answer = await dsPost('/api/drawings', { name, parametric: document.getElementById('add-parametric').checked });
  dsShowLines('add ' + name, answer.data);
  if (answer.ok) await dsOpenDrawing(answer.data.tag);
}

document.addEventListener('DOMContentLoaded', () => {
  document.getElementById('undo').addEventListener('click', () => dsUndo(false));
  document.getElementById('redo').addEventListener('click', () => dsUndo(true));
  document.getElementById('reload-project').addEventListener('click', dsReloadProject);
  document.getElementById('add-form').addEventListener('submit', dsAddDrawing);
  document.getElementById('show-project').addEventListener('click', dsShowProjectTable);
  document.getElementById('sheet-select').addEventListener('change', (e) => {
    ds.sheet = Number(e.target.value);
    dsOpenDrawing(ds.drawing.tag);
  });
  for (const radio of document.querySelectorAll('input[name=mode]'))
    radio.addEventListener('change', (e) => { ds.mode = e.target.value; dsOpenDrawing(ds.drawing.tag); });
  dsRefreshState().then(() => {
    // A project whose load left warnings (a damaged file) says so once, before anything is edited.
    if (ds.state && ds.state.load_lines.length) dsShowLines('the project loaded with warnings', { lines: ds.state.load_lines });
  });
  // Another ds-host command may write the file while the page is open.
  setInterval(dsRefreshState, 3000);
});
