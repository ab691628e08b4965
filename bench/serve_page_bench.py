#!/usr/bin/python3
"""What the engineer waits for in the page of `ds-host serve`, measured in headless Chromium.

A parametric drawing of 1 000 list rows (made through the grid as
bench/grid_outputs_compare.sh makes it) and a single drawing are served; the
page is driven through WebDriver and timed inside the page (performance.now),
so WebDriver's own round trips are not counted:

  open            click on the drawing -> its tables and sheet drawn
  edit -> sheet   a width typed and Enter pressed -> the new sheet drawn
  edit -> all     ... -> the sheet and every table redraw done (no request open, no change for 0.3 s)
  busy            the longest the page could not take a keystroke during an edit
                  (the largest gap between two turns of its event loop)
  server          POST /api/edit alone (Python client), and the size of its answer

Each is given as p50 / p95 over EDITS edits (OPENS opens). Only 127.0.0.1 is contacted.

usage: bench/serve_page_bench.py DS_HOST [ROWS] [EDITS]
   (a release build: CMAKE_CXX_COMPILER_LAUNCHER=ccache cmake --preset release)
"""
import http.client
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

DS_HOST = sys.argv[1]
ROWS = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
EDITS = int(sys.argv[3]) if len(sys.argv) > 3 else 30
OPENS = 8
LIST = "垫石-参数化列表"
CONSTRUCTION = "垫石-构造属性"


def make_project(folder):
    run = lambda *args: subprocess.run([DS_HOST, *args], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    run("new", "p.json")
    run("add", "p.json", "--name", "S")
    run("add", "p.json", "--name", "P", "--parametric")
    with open(os.path.join(folder, "rows.txt"), "w", encoding="utf-8") as rows:
        for i in range(2, ROWS + 1):
            rows.write(f"{LIST}[{i}].m_Type=桥墩\n{LIST}[{i}].m_strQF=主线\n{LIST}[{i}].m_iN={i}\n"
                       f"{LIST}[{i}].m_strH={100 + i % 7},120\n{LIST}[{i}].m_dWid={1100 + i % 5}\n")
    run("csh-grid", "p.json", "-d", "P", "--edits", "rows.txt")


def start_server(folder):
    server = subprocess.Popen([DS_HOST, "serve", "p.json"], cwd=folder, stdout=subprocess.PIPE, text=True)
    deadline = time.time() + 60
    while time.time() < deadline:
        found = re.search(r"http://127\.0\.0\.1:\d+/\?token=[0-9a-f]+", server.stdout.readline())
        if found:
            return server, found.group(0)
    server.kill()
    raise SystemExit("ds-host serve printed no address")


# In the page: records when #sheet and #tables change, and the gaps between turns of the event loop.
WATCH = """
window.benchMarks = {sheet: [], tables: [], gaps: [], last: performance.now(), fetching: 0};
const m = window.benchMarks;
const fetchAlone = window.fetch;
window.fetch = async (...args) => {
  m.fetching += 1;
  try { return await fetchAlone(...args); } finally { m.fetching -= 1; }
};
new MutationObserver(() => m.sheet.push(performance.now())).observe(document.getElementById('sheet'), {childList: true, subtree: true});
new MutationObserver(() => m.tables.push(performance.now())).observe(document.getElementById('tables'), {childList: true, subtree: true, attributes: true, attributeFilter: ['value']});
const channel = new MessageChannel();
channel.port1.onmessage = () => {
  const now = performance.now();
  m.gaps.push([now, now - m.last]);
  m.last = now;
  if (m.gaps.length > 20000) m.gaps.splice(0, 10000);
  setTimeout(() => channel.port2.postMessage(0), 0);
};
channel.port2.postMessage(0);
"""

# Types `value` into the cell and presses Enter; resolves with the times once the page is quiet.
EDIT = """
const [selector, value, done] = arguments;
const m = window.benchMarks;
const input = document.querySelector(selector);
input.focus();
const t0 = performance.now();
m.sheet.length = 0; m.tables.length = 0;
input.value = value;
input.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
if (typeof DsGrid === 'undefined') input.dispatchEvent(new Event('change'));  // the page before: change sends
const wait = () => {
  const now = performance.now();
  const all = Math.max(m.sheet.length ? m.sheet[m.sheet.length - 1] : 0, m.tables.length ? m.tables[m.tables.length - 1] : 0);
  if (m.sheet.length && !m.fetching && now - all > 300) {
    const busy = Math.max(0, ...m.gaps.filter(([at]) => at > t0).map(([, gap]) => gap));
    return done({sheet: m.sheet[0] - t0, all: all - t0, busy});
  }
  if (now - t0 > 60000) return done({error: 'no sheet after 60 s'});
  setTimeout(wait, 20);
};
setTimeout(wait, 20);
"""

# Clicks the drawing link; resolves when its tables and its sheet are drawn.
OPEN = """
const [name, table, done] = arguments;
document.getElementById('sheet').textContent = '';
document.getElementById('tables').textContent = '';
const link = [...document.querySelectorAll('nav a')].find((a) => a.textContent === name);
const t0 = performance.now();
link.click();
const wait = () => {
  const sheet = document.querySelector('#sheet svg, #sheet img');
  if (sheet && document.querySelector(`table[data-table="${table}"]`) && document.getElementById('drawing-name').textContent === name)
    return done(performance.now() - t0);
  if (performance.now() - t0 > 60000) return done(-1);
  requestAnimationFrame(wait);
};
wait();
"""


def p50_p95(values):
    values = sorted(values)
    p95 = values[min(len(values) - 1, round(0.95 * (len(values) - 1)))]
    return f"{statistics.median(values):8.0f} / {p95:6.0f}"


def page_edits(browser, selector_of, values):
    results = []
    for i, value in enumerate(values):
        result = browser.execute_async_script(EDIT, selector_of(i), value)
        if "error" in result:
            raise SystemExit(result["error"])
        results.append(result)
    return results


def server_edits(url, tag, count):
    parts = urllib.parse.urlsplit(url)
    token = urllib.parse.parse_qs(parts.query)["token"][0]
    headers = {"X-DS-Token": token, "Content-Type": "application/json"}
    times, sizes = [], []
    for i in range(count):
        connection = http.client.HTTPConnection("127.0.0.1", parts.port, timeout=60)
        connection.request("GET", "/api/drawing?" + urllib.parse.urlencode({"tag": tag, "sheets": "0"}), headers=headers)
        version = json.loads(connection.getresponse().read())["version"]
        body = json.dumps({"tag": tag, "version": version, "table": LIST, "row": 3, "key": "m_dWid", "value": str(1200 + i)})
        start = time.perf_counter()
        connection.request("POST", "/api/edit", body=body, headers=headers)
        answer = connection.getresponse().read()
        times.append((time.perf_counter() - start) * 1000)
        sizes.append(len(answer) / 1024)
        connection.close()
    return times, sizes


def main():
    with tempfile.TemporaryDirectory() as folder:
        make_project(folder)
        server, url = start_server(folder)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1700,1100",
                     "--disable-background-networking", "--no-proxy-server"):
            options.add_argument(flag)
        browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        browser.set_script_timeout(120)
        rows = {}
        try:
            browser.get(url)
            WebDriverWait(browser, 60).until(lambda b: b.find_elements(By.CSS_SELECTOR, "#list-parametric a"))
            browser.execute_script(WATCH)
            opens = [browser.execute_async_script(OPEN, name, table)
                     for _ in range(OPENS // 2) for name, table in (("S", CONSTRUCTION), ("P", LIST))]
            rows["open 1 000-row drawing (ms)"] = p50_p95(opens[1::2])
            rows["open single drawing (ms)"] = p50_p95(opens[0::2])

            cell = lambda i: f'table[data-table="{LIST}"] [data-row="{2 + i % 8}"][data-key="m_dWid"]'
            edits = page_edits(browser, cell, [str(1300 + i) for i in range(EDITS)])
            rows["1 000 rows: edit -> sheet drawn (ms)"] = p50_p95([e["sheet"] for e in edits])
            rows["1 000 rows: edit -> all drawn (ms)"] = p50_p95([e["all"] for e in edits])
            rows["1 000 rows: longest busy, keystroke wait (ms)"] = p50_p95([e["busy"] for e in edits])

            browser.execute_async_script(OPEN, "S", CONSTRUCTION)
            single = page_edits(browser, lambda i: f'table[data-table="{CONSTRUCTION}"] [data-key="m_dWidth"]',
                                [str(600 + i) for i in range(EDITS)])
            rows["single: edit -> sheet drawn (ms)"] = p50_p95([e["sheet"] for e in single])
            rows["single: longest busy (ms)"] = p50_p95([e["busy"] for e in single])
            tag = browser.execute_script("return ds.state.drawings.find((d) => d.name === 'P').tag;")
        finally:
            browser.quit()
        times, sizes = server_edits(url, tag, EDITS)
        rows["1 000 rows: POST /api/edit alone (ms)"] = p50_p95(times)
        rows["1 000 rows: its answer (KiB)"] = p50_p95(sizes)
        server.terminate()
        server.wait(timeout=30)
    print(f"{ROWS} list rows, {EDITS} edits, {OPENS // 2} opens each; p50 / p95")
    for name, value in rows.items():
        print(f"  {name:48s} {value}")


if __name__ == "__main__":
    main()
