// ds-host serve: the project's drawing set, built by the server as
// `ds-host sheets` builds it (contents sheet, numbers through the set), with
// its progress shown while it runs, then offered as the PDF and a zip of the
// DXF files.
'use strict';

/** "图纸 3/12, 张 10/20" while the set is built. */
async function dsShowSetProgress(shown) {
  const answer = await dsGet('/api/sheet-set/progress');
  if (!answer.ok || !answer.data.building) return;
  const p = answer.data;
  shown.textContent = `图纸 drawings ${p.drawings_done}/${p.drawings}` + (p.sheets ? `, 张 sheets ${p.sheets_written}/${p.sheets}` : '');
}

async function dsBuildSet() {
  const button = document.getElementById('build-set');
  const shown = document.getElementById('set-progress');
  button.disabled = true;
  shown.hidden = false;
  shown.textContent = '…';
  const polling = setInterval(() => dsShowSetProgress(shown), 400);
  const answer = await dsPost('/api/sheet-set', {});
  clearInterval(polling);
  button.disabled = false;
  shown.hidden = true;
  dsShowLines('套图 Drawing set', answer.data);
  if (!answer.ok) return;
  const box = document.getElementById('changes');
  const failed = answer.data.failed || [];
  if (failed.length)
    box.append(el('span', { className: 'error' }, '设计检查未通过 design check failed: ' + failed.join(', ') +
      ' (their findings sheets stand in the set)'), '\n');
  box.append(`${answer.data.drawings} drawing(s), ${answer.data.sheets} sheet(s): `,
    el('a', { id: 'set-pdf', href: '/api/download/set-pdf', download: 'sheets.pdf' }, 'PDF'), ' · ',
    el('a', { id: 'set-cad', href: '/api/download/set-cad', download: 'sheets-dxf.zip' }, 'DXF (zip)'), '\n');
}

document.getElementById('build-set').addEventListener('click', dsBuildSet);
