// ds-host serve: the sheet beside the tables, zoomed and panned. The SVG is
// shown as an image (a data: address), so no script or link in it can run and
// a large sheet costs the browser one picture, not thousands of elements; the
// text is kept for the page (ds.sheetSvg). The mouse wheel zooms about the
// pointer, dragging pans, the buttons zoom, fit the sheet, or show it on the
// whole screen (Escape leaves); the view stays as it is when an edit redraws it.
'use strict';

const sheetView = { scale: 1, x: 0, y: 0, fitted: false, drawn: 0 };

function sheetImage() { return document.querySelector('#sheet img'); }

function applySheetView() {
  const image = sheetImage();
  if (image) image.style.transform = `translate(${sheetView.x}px, ${sheetView.y}px) scale(${sheetView.scale})`;
  document.getElementById('zoom-level').textContent = `${Math.round(sheetView.scale * 100)}%`;
}

/** Scales the sheet to the box's width, top left. */
function fitSheet() {
  const image = sheetImage();
  const box = document.getElementById('sheet');
  if (!image || !image.naturalWidth) return;
  sheetView.scale = Math.min(box.clientWidth / image.naturalWidth, box.clientHeight / image.naturalHeight);
  sheetView.x = 0;
  sheetView.y = 0;
  sheetView.fitted = true;
  applySheetView();
}

/** Zooms by `factor` about the point (px, py) of the box. */
function zoomSheet(factor, px, py) {
  const scale = Math.min(40, Math.max(0.05, sheetView.scale * factor));
  const box = document.getElementById('sheet');
  if (px === undefined) { px = box.clientWidth / 2; py = box.clientHeight / 2; }
  sheetView.x = px - ((px - sheetView.x) * scale) / sheetView.scale;
  sheetView.y = py - ((py - sheetView.y) * scale) / sheetView.scale;
  sheetView.scale = scale;
  sheetView.fitted = false;
  applySheetView();
}

/** Shows the SVG text `svg`; resolves when the browser has drawn it (ds.sheetDrawn is then its time). */
async function dsShowSheet(svg) {
  ds.sheetSvg = svg || '';
  const box = document.getElementById('sheet');
  if (!svg) {
    box.textContent = '';
    return;
  }
  const image = new Image();
  image.alt = 'sheet';
  image.draggable = false;
  image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
  try {
    await image.decode();
  } catch (e) {
    return;  // a newer sheet replaced this one, or the SVG cannot be drawn
  }
  if (ds.sheetSvg !== svg) return;
  const old = sheetImage();
  if (old) old.replaceWith(image);
  else box.replaceChildren(image);
  if (!old || sheetView.fitted) fitSheet();
  else applySheetView();
  ds.sheetDrawn = performance.now();
}

function setFullScreen(on) {
  document.getElementById('sheet-pane').classList.toggle('full', on);
  document.getElementById('sheet-full').textContent = on ? '退出 Leave full screen' : '全屏 Full screen';
  if (sheetView.fitted) requestAnimationFrame(fitSheet);
}

document.addEventListener('DOMContentLoaded', () => {
  const box = document.getElementById('sheet');
  box.addEventListener('wheel', (e) => {
    e.preventDefault();
    const at = box.getBoundingClientRect();
    zoomSheet(e.deltaY < 0 ? 1.2 : 1 / 1.2, e.clientX - at.left, e.clientY - at.top);
  }, { passive: false });
  let drag = null;
  box.addEventListener('pointerdown', (e) => {
    drag = { x: e.clientX - sheetView.x, y: e.clientY - sheetView.y };
    box.setPointerCapture(e.pointerId);
    box.classList.add('panning');
  });
  box.addEventListener('pointermove', (e) => {
    if (!drag) return;
    sheetView.x = e.clientX - drag.x;
    sheetView.y = e.clientY - drag.y;
    sheetView.fitted = false;
    applySheetView();
  });
  const stop = () => { drag = null; box.classList.remove('panning'); };
  box.addEventListener('pointerup', stop);
  box.addEventListener('pointercancel', stop);
  document.getElementById('zoom-in').addEventListener('click', () => zoomSheet(1.25));
  document.getElementById('zoom-out').addEventListener('click', () => zoomSheet(0.8));
  document.getElementById('zoom-fit').addEventListener('click', fitSheet);
  document.getElementById('sheet-full').addEventListener('click', () =>
    setFullScreen(!document.getElementById('sheet-pane').classList.contains('full')));
  document.addEventListener('keydown', (e) => {
    if (e.key === 'Escape' && document.getElementById('sheet-pane').classList.contains('full')) setFullScreen(false);
  });
  window.addEventListener('resize', () => { if (sheetView.fitted) fitSheet(); });
});
