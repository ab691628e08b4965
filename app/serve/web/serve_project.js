// ds-host serve: the steps beside a drawing's tables (spreadsheet import with
// its preview, structure reference, convert, dismantle) and the project table,
// where one value is set for many single drawings and drawings are merged.
'use strict';

function drawingsOf(kind) { return ds.state ? ds.state.drawings.filter((d) => d.kind === kind) : []; }

function fieldset(title, ...content) { return el('fieldset', {}, el('legend', {}, title), ...content); }

/** Shows a step's answer (with `retries` for a refusal, see dsShowLines); on success the drawing (or `tag`) is shown again. */
async function dsAfterStep(title, answer, tag, retries) {
  dsShowLines(title, answer.data, retries);
  if (answer.data.code === 'reload') dsNotice(answer.data.error, true);
  if (answer.ok) await dsOpenDrawing(tag || answer.data.tag || ds.drawing.tag);
  return answer.ok;
}

function importStep() {
  const file = el('input', { type: 'file', accept: '.xlsx,.csv', id: 'import-file' });
  const preview = el('div', { id: 'import-preview' });
  const send = async (apply) => {
    if (!file.files.length) return;
    await ds.queue;  // the version the import names is the one the typed edits left
    const bytes = await file.files[0].arrayBuffer();
    const query = new URLSearchParams({ tag: ds.drawing.tag, version: ds.drawing.version, apply: apply ? '1' : '0',
      name: file.files[0].name, tab: dsTab });
    const answer = await dsCall('POST', '/api/import?' + query, bytes, 'application/octet-stream');
    if (apply) return dsAfterStep('import ' + file.files[0].name, answer);
    dsShowLines('import preview (nothing applied yet): ' + file.files[0].name, answer.data);
    preview.textContent = '';
    if (!answer.ok) return preview.append(el('div', { className: 'reason' }, answer.data.error));
    // The button comes first and is brought into view: a long preview scrolls in its own box below it.
    const applyButton = el('button', { id: 'import-apply', onclick: () => send(true) }, '确认导入 Apply the import');
    preview.append(applyButton, el('div', { className: 'preview' }, (answer.data.lines || []).join('\n')));
    applyButton.scrollIntoView({ block: 'center' });
  };
  file.addEventListener('change', () => send(false));
  return fieldset('导入 XLSX / CSV import (preview first)', file, preview);
}

function referenceStep() {
  const structure = el('select', { id: 'reference-structure' }, drawingsOf('structure').map((s) => el('option', { value: s.name }, s.name)));
  const rows = el('input', { id: 'reference-rows', placeholder: '垫石排号 rows, e.g. 1', size: 10 });
  const numbers = el('input', { id: 'reference-numbers', placeholder: '垫石编号 numbers, e.g. 1,2', size: 12 });
  const go = el('button', { id: 'reference-go' }, '引用 Refer');
  go.addEventListener('click', async () => dsAfterStep('reference ' + structure.value, await dsPost('/api/reference', {
    tag: ds.drawing.tag, version: ds.drawing.version, structure: structure.value, rows: rows.value, numbers: numbers.value,
  })));
  return fieldset('引用墩台 Structure reference', structure, ' ', rows, ' ', numbers, ' ', go);
}

function parametricSteps() {
  const singles = drawingsOf('single');
  const boxes = singles.map((s) => el('label', {}, el('input', { type: 'checkbox', value: s.name }), s.name, ' '));
  const force = el('input', { type: 'checkbox' });
  const convert = el('button', {}, '转换加入 Convert into this drawing');
  const run = async (forced) => {
    const drawings = boxes.map((b) => b.firstChild).filter((b) => b.checked).map((b) => b.value);
    // A failed check is refused with the override force_convert: the answer offers to convert anyway.
    const anyway = { force_convert: { label: '仍然转换 Convert anyway', run: () => run(true) } };
    dsAfterStep('convert', await dsPost('/api/convert', {
      target: ds.drawing.tag, version: ds.drawing.version, drawings, force: forced || force.checked,
    }), undefined, anyway);
  };
  convert.addEventListener('click', () => run(false));
  const dismantle = el('button', {}, '拆分 Dismantle into single drawings');
  dismantle.addEventListener('click', async () => dsAfterStep('dismantle', await dsPost('/api/dismantle', { tag: ds.drawing.tag })));
  return [fieldset('转换 Convert single drawings', ...boxes, el('label', {}, force, ' force'), ' ', convert),
    fieldset('拆分 Dismantle', dismantle)];
}

function dsRenderSteps() {
  const box = document.getElementById('steps');
  box.textContent = '';
  box.append(importStep());
  if (ds.drawing.kind === 'single') box.append(referenceStep());
  if (ds.drawing.kind === 'parametric') box.append(...parametricSteps());
}

async function dsShowProjectTable() {
  const answer = await dsGet('/api/project-table');
  if (!answer.ok) return dsShowLines('project table', answer.data);
  const { columns, rows } = answer.data;
  const view = document.getElementById('project-view');
  document.getElementById('editor').hidden = true;
  document.getElementById('structures-view').hidden = true;
  view.hidden = false;
  view.textContent = '';
  const checks = rows.map((r) => el('input', { type: 'checkbox', value: r.tag, 'data-name': r.name }));
  const all = el('input', { type: 'checkbox', onchange: (e) => checks.forEach((c) => { c.checked = e.target.checked; }) });
  view.append(el('h2', {}, '项目表 Project table — one row per single drawing'),
    el('table', { className: 'grid' },
      el('tr', {}, el('th', {}, all), el('th', {}, '图纸 drawing'), columns.map((c) => el('th', { title: c.table + '.' + c.key }, c.caption))),
      rows.map((r, i) => el('tr', {}, el('td', {}, checks[i]), el('td', {}, r.name), r.values.map((v) => el('td', {}, v))))));

  const column = el('select', {}, columns.map((c, i) => el('option', { value: i }, c.caption)));
  const value = el('input', { placeholder: '值 value', size: 10 });
  const reason = el('div', { className: 'reason' });
  const selected = () => checks.filter((c) => c.checked);
  const set = el('button', {}, '设置所选 Set for the selected drawings');
  set.addEventListener('click', async () => {
    const c = columns[Number(column.value)];
    reason.textContent = dsCheckValue(c, value.value);
    if (reason.textContent) return;
    const result = await dsPost('/api/set-many', { tags: selected().map((x) => x.value), table: c.table, key: c.key, value: value.value });
    const lines = (result.data.results || []).flatMap((r) => [`${r.name}: ${r.ok ? 'done' : 'refused: ' + r.reason}`, ...(r.lines || []).map((l) => '  ' + l)]);
    dsShowLines(`set ${c.caption} = ${value.value}`, { lines, error: result.data.error });
    await dsRefreshState();
    await dsShowProjectTable();
  });
  const method = (which) => el('button', { onclick: async () => {
    const drawings = selected().map((x) => x.dataset.name);
    const result = await dsPost('/api/' + which, { drawings });
    dsShowLines(which + ' ' + drawings.join(', '), result.data);
    await dsRefreshState();
    if (which === 'merge' && result.ok) await dsOpenDrawing(result.data.tag);
  } }, which === 'check' ? '检查 Check merge' : '合并 Merge');
  view.append(fieldset('一次设置多个 Set one value for many', column, ' ', value, ' ', set, reason),
    fieldset('合并 Merge the selected drawings', method('check'), ' ', method('merge')));
}
