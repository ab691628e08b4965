// ds-host serve: one grid table worked as a spreadsheet. Enter moves down,
// Tab right (Shift goes back), the arrows move, Escape takes back what was
// typed; a cell that gets the focus has its text selected, so typing replaces
// it. A list renders only the rows in view (and a few around them), so a list
// of thousands of rows costs what a screenful costs; rows are redrawn one by
// one when their values change, and the cell being typed in is never replaced.
'use strict';

/** Rows rendered beyond the visible ones, above and below. */
const GRID_OVERSCAN = 8;

class DsGrid {
  /**
   * `table` is a grid_tables_json table; `hooks.cell(column, value, where)` makes a cell's
   * editor, `hooks.commit(input)` is called when the engineer leaves a cell.
   */
  constructor(table, hooks) {
    this.table = table;
    this.hooks = hooks;
    this.list = table.list;
    this.columns = table.list ? table.columns : [{ key: 'value' }];
    this.element = el('table', { className: 'grid' + (this.list ? ' virtual' : ''), 'data-table': table.name });
    this.body = el('tbody');
    this.rendered = new Map();  // row index -> <tr>
    this.element.addEventListener('keydown', (e) => this.onKey(e));
    this.element.addEventListener('focusin', (e) => this.onFocus(e));
    this.element.addEventListener('focusout', (e) => { if (e.target.dataset.key) this.hooks.commit(e.target); });
    if (this.list) this.buildList(); else this.buildProperties();
  }

  /** Rows the engineer can move through: a list's rows and the empty one that appends a row. */
  rowCount() { return this.list ? this.table.rows.length + 1 : this.table.cells.length; }

  buildProperties() {
    this.element.append(this.body);
    this.table.cells.forEach((c, i) => {
      const row = el('tr', {}, el('td', { className: 'caption', title: c.key }, headingOf(c)),
        this.hooks.cell(c, c.value, { table: this.table.name, row: 0, key: c.key, r: i, c: 0 }));
      this.rendered.set(i, row);
      this.body.append(row);
    });
  }

  buildList() {
    const head = el('tr', {}, el('th', {}, '#'), this.columns.map((c) => el('th', { title: c.key }, headingOf(c))));
    this.top = el('tr', { className: 'spacer' });
    this.bottom = el('tr', { className: 'spacer' });
    this.body.append(this.top, this.bottom);
    this.element.append(el('thead', {}, head), this.body);
    this.scroller = el('div', { className: 'grid-scroller' }, this.element);
    this.scroller.addEventListener('scroll', () => {
      if (this.frame) return;
      this.frame = requestAnimationFrame(() => { this.frame = 0; this.renderWindow(); });
    });
  }

  /** What the page puts in the document: a list's scroll box, or the property table. */
  get node() { return this.list ? this.scroller : this.element; }

  rowHeight() {
    if (!this.measured) {
      const row = this.rendered.values().next().value;
      if (row && row.offsetHeight) this.measured = row.offsetHeight;
    }
    return this.measured || 26;
  }

  makeRow(r) {
    const values = this.table.rows[r];
    const append = !values;
    const row = el('tr', { className: append ? 'append' : '' },
      el('td', { className: 'row-number', title: append ? 'type here to add a row' : '' }, append ? '+' : r + 1),
      this.columns.map((c, i) => this.hooks.cell(c, append ? '' : values[i], { table: this.table.name, row: r + 1, key: c.key, r, c: i })));
    return row;
  }

  /** Renders the rows in view of a list (and GRID_OVERSCAN around), keeping the ones already there. */
  renderWindow() {
    if (!this.list) return;
    const height = this.rowHeight();
    const count = this.rowCount();
    const view = this.scroller.clientHeight || 600;
    const first = Math.max(0, Math.floor(this.scroller.scrollTop / height) - GRID_OVERSCAN);
    const last = Math.min(count, Math.ceil((this.scroller.scrollTop + view) / height) + GRID_OVERSCAN);
    for (const [r, row] of this.rendered) {
      if (r >= first && r < last) continue;
      // A row scrolled away with the caret in it: what was typed there is sent first.
      if (row.contains(document.activeElement)) this.hooks.commit(document.activeElement);
      row.remove();
      this.rendered.delete(r);
    }
    const kept = [...this.rendered.keys()];
    const low = kept.length ? Math.min(...kept) : last;
    const high = kept.length ? Math.max(...kept) : last - 1;
    const above = document.createDocumentFragment();
    for (let r = first; r < Math.min(low, last); ++r) { const row = this.makeRow(r); this.rendered.set(r, row); above.append(row); }
    const firstKept = kept.length ? this.rendered.get(low) : this.bottom;
    this.body.insertBefore(above, firstKept);
    const below = document.createDocumentFragment();
    for (let r = Math.max(high + 1, first); r < last; ++r) { const row = this.makeRow(r); this.rendered.set(r, row); below.append(row); }
    this.body.insertBefore(below, this.bottom);
    this.top.style.height = `${first * height}px`;
    this.bottom.style.height = `${Math.max(0, count - last) * height}px`;
    if (!this.measured && this.rendered.size) {
      this.rowHeight();
      if (this.measured && this.measured !== 26) this.renderWindow();
    }
  }

  /** Draws list row `r` again from the table (when it is in view); the cell being typed in keeps its text. */
  refreshRow(r) {
    const row = this.rendered.get(r);
    if (!row) return;
    const typing = row.contains(document.activeElement) ? document.activeElement : null;
    if (typing) {
      // Only the other cells of the row: the engineer's caret stays where it is.
      row.querySelectorAll('[data-key]').forEach((input) => {
        if (input === typing) return;
        const c = Number(input.dataset.c);
        input.closest('td').replaceWith(this.hooks.cell(this.columns[c], this.table.rows[r][c], this.whereOf(input)));
      });
      return;
    }
    const fresh = this.makeRow(r);
    row.replaceWith(fresh);
    this.rendered.set(r, fresh);
  }

  /** A property's new value; the cell being typed in keeps its text. */
  refreshCell(key) {
    const i = this.table.cells.findIndex((c) => c.key === key);
    const row = this.rendered.get(i);
    const input = row && row.querySelector('[data-key]');
    if (!input || input === document.activeElement) return;
    input.closest('td').replaceWith(this.hooks.cell(this.table.cells[i], this.table.cells[i].value, this.whereOf(input)));
  }

  whereOf(input) {
    const d = input.dataset;
    return { table: d.table, row: Number(d.row), key: d.key, r: Number(d.r), c: Number(d.c) };
  }

  onFocus(e) {
    const input = e.target;
    if (!input.dataset || !input.dataset.key) return;
    this.active = { r: Number(input.dataset.r), c: Number(input.dataset.c) };
    if (input.select && input.tagName !== 'TEXTAREA') input.select();
  }

  onKey(e) {
    const input = e.target;
    if (!input.dataset || !input.dataset.key || e.isComposing) return;
    const r = Number(input.dataset.r), c = Number(input.dataset.c);
    const textarea = input.tagName === 'TEXTAREA';
    const text = input.tagName === 'INPUT';
    const whole = text && input.selectionStart === 0 && input.selectionEnd === input.value.length;
    let to = null;
    if (e.key === 'Enter' && (!textarea || e.ctrlKey)) to = e.shiftKey ? [r - 1, c] : [r + 1, c];
    else if (e.key === 'Tab') to = this.list ? this.nextAcross(r, c, e.shiftKey ? -1 : 1) : [r + (e.shiftKey ? -1 : 1), c];
    else if (e.key === 'ArrowDown' && !textarea) to = [r + 1, c];
    else if (e.key === 'ArrowUp' && !textarea) to = [r - 1, c];
    else if (e.key === 'ArrowRight' && this.list && (!text || whole || input.selectionStart === input.value.length)) to = [r, c + 1];
    else if (e.key === 'ArrowLeft' && this.list && (!text || whole || input.selectionEnd === 0)) to = [r, c - 1];
    else if (e.key === 'Escape') { this.hooks.revert(input); input.select && input.select(); e.preventDefault(); return; }
    if (!to) return;
    e.preventDefault();
    this.hooks.commit(input);
    this.focusCell(to[0], to[1]);
  }

  /** Tab's next cell: the next column, else the first of the next row (or back, with Shift). */
  nextAcross(r, c, step) {
    const columns = this.columns.length;
    const at = r * columns + c + step;
    return [Math.floor(at / columns), ((at % columns) + columns) % columns];
  }

  /** Moves the focus to row `r`, column `c` (clamped), scrolling a list to it. */
  focusCell(r, c) {
    r = Math.max(0, Math.min(this.rowCount() - 1, r));
    c = Math.max(0, Math.min(this.columns.length - 1, c));
    if (this.list) {
      const height = this.rowHeight();
      const view = this.scroller.clientHeight;
      const headHeight = this.element.tHead ? this.element.tHead.offsetHeight : 0;
      const top = r * height, shown = this.scroller.scrollTop;
      if (top < shown) this.scroller.scrollTop = top;
      else if (top + height > shown + view - headHeight) this.scroller.scrollTop = top + height - view + headHeight;
      this.renderWindow();
    }
    const row = this.rendered.get(r);
    const target = row && row.querySelector(`[data-c="${c}"]`);
    if (target) target.focus({ preventScroll: this.list });
  }
}
