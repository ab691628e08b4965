// ds-host serve: the page's one way in, the JSON API. The access token comes
// from the address ds-host printed; it is kept for this tab only and taken out
// of the address bar so it does not end up in bookmarks or screenshots.
'use strict';

const dsToken = (() => {
  const fromUrl = new URLSearchParams(location.search).get('token');
  if (fromUrl) {
    sessionStorage.setItem('ds-token', fromUrl);
    history.replaceState(null, '', location.pathname);
  }
  return fromUrl || sessionStorage.getItem('ds-token') || '';
})();

/**
 * This tab's id: its changes form its own undo history on the server. Kept in
 * sessionStorage, so a reload of the tab keeps its history and another tab
 * (which gets a sessionStorage of its own) starts one of its own.
 */
const dsTab = (() => {
  let tab = sessionStorage.getItem('ds-tab');
  if (!tab) {
    const bytes = crypto.getRandomValues(new Uint8Array(12));
    tab = Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
    sessionStorage.setItem('ds-tab', tab);
  }
  return tab;
})();

/** Calls the API; resolves to {ok, status, data}. Never throws for an HTTP refusal. */
async function dsCall(method, path, body, contentType) {
  const options = { method, headers: { 'X-DS-Token': dsToken } };
  if (body !== undefined) {
    options.headers['Content-Type'] = contentType || 'application/json';
    options.body = contentType ? body : JSON.stringify(body);
  }
  let response;
  try {
    response = await fetch(path, options);
  } catch (e) {
    return { ok: false, status: 0, data: { error: 'the server does not answer (stopped?)', code: 'gone' } };
  }
  let data = {};
  try { data = await response.json(); } catch (e) { data = { error: 'answer ' + response.status, code: 'failed' }; }
  return { ok: response.ok, status: response.status, data };
}

function dsGet(path, params) {
  const query = new URLSearchParams(params || {}).toString();
  return dsCall('GET', query ? path + '?' + query : path);
}

/** Posts JSON; every step names this tab, whose undo history gets the change. */
function dsPost(path, body) { return dsCall('POST', path, { ...(body || {}), tab: dsTab }); }

/** An element with attributes and children (texts or elements). */
function el(tag, attributes, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) {
    if (value === undefined || value === null || value === false) continue;
    if (name.startsWith('on')) node.addEventListener(name.slice(2), value);
    else if (name === 'className') node.className = value;
    else node.setAttribute(name, value === true ? '' : value);
  }
  for (const child of children.flat()) {
    if (child === undefined || child === null) continue;
    node.append(child instanceof Node ? child : document.createTextNode(String(child)));
  }
  return node;
}

/**
 * Shows what a step reported (difference lines, warnings, messages) and, for a refusal, why. A refusal
 * names the override that would pass it; when `retries` has one for it ({label, run}), a button offers it.
 */
function dsShowLines(title, data, retries) {
  const box = document.getElementById('changes');
  box.textContent = '';
  box.append(el('b', {}, title), '\n');
  for (const line of data.lines || []) box.append(line, '\n');
  if (data.error) box.append(el('span', { className: 'error' }, data.error), '\n');
  const retry = data.error && data.override && retries && retries[data.override];
  if (retry) box.append(el('button', { id: 'retry-' + data.override, onclick: retry.run }, retry.label), '\n');
}

/** A notice above the page; with `reload`, a button that shows the project and drawing as they are now. */
function dsNotice(text, reload) {
  const notice = document.getElementById('notice');
  notice.textContent = text || '';
  notice.hidden = !text;
  if (reload) notice.append(' ', el('button', { id: 'notice-reload', onclick: dsReloadShown }, '重新显示 Show the current state'));
}
