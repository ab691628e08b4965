#!/usr/bin/python3
"""The page of `ds-host serve` in headless Chromium, driven through WebDriver.

One grouped run, since starting a browser costs seconds: open the printed
address, edit a width and see the sheet's dimension change, enter values the
page and the server refuse and see the reasons, undo, import a workbook after
its preview, type a row of a list with Tab and Enter at typing speed and find
every value saved, work the structure table (墩台表) and see the drawing on an
edited pier marked stale until the refresh, and check that requests without
the token, from another origin or for another host name are refused. Only 127.0.0.1 is ever contacted; every wait
is bounded.

usage: serve_browser_test.py DS_HOST [SCREENSHOT_DIR]
"""
import http.client
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

import openpyxl
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait
from selenium.common.exceptions import StaleElementReferenceException

DS_HOST = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
TABLE = "垫石-构造属性"
LIST = "垫石-参数化列表"


def click_when_ready(wait, css, index):
    """Clicks the index-th element matching css once it is there; a list the
    page redraws meanwhile is looked up again rather than failing the run."""
    def clicked(browser):
        try:
            found = browser.find_elements(By.CSS_SELECTOR, css)
            if len(found) <= index:
                return False
            found[index].click()
            return True
        except StaleElementReferenceException:
            return False
    wait.until(clicked)


def ds(*args, cwd):
    subprocess.run([DS_HOST, *args], cwd=cwd, check=True, stdout=subprocess.DEVNULL)


def make_project(folder):
    ds("new", "p.json", cwd=folder)
    ds("add", "p.json", "--name", "垫石", cwd=folder)
    ds("grid", "p.json", "--set", TABLE + ".m_dHeight=200", cwd=folder)
    ds("export", "p.json", "--xlsx", "in.xlsx", cwd=folder)
    ds("export", "p.json", "--csv", "in.csv", cwd=folder)
    book = openpyxl.load_workbook(os.path.join(folder, "in.xlsx"))
    for row in book.active.iter_rows():
        if row[0].value == "横桥向宽度(mm)":
            row[1].value = 650
    book.save(os.path.join(folder, "in.xlsx"))
    ds("add", "p.json", "--name", "列表", "--parametric", cwd=folder)


def start_server(folder):
    server = subprocess.Popen([DS_HOST, "serve", "p.json"], cwd=folder, stdout=subprocess.PIPE, text=True)
    deadline = time.time() + 30
    while time.time() < deadline:
        line = server.stdout.readline()
        found = re.search(r"http://127\.0\.0\.1:\d+/\?token=[0-9a-f]+", line)
        if found:
            return server, found.group(0)
    server.kill()
    raise SystemExit("ds-host serve printed no address")


def status(url, path, headers, method="GET"):
    parts = urllib.parse.urlsplit(url)
    connection = http.client.HTTPConnection("127.0.0.1", parts.port, timeout=10)
    connection.request(method, path, body=b"{}" if method == "POST" else None, headers=headers)
    answer = connection.getresponse()
    answer.read()
    connection.close()
    return answer.status


def api(url, method, path, body=None):
    parts = urllib.parse.urlsplit(url)
    token = urllib.parse.parse_qs(parts.query)["token"][0]
    connection = http.client.HTTPConnection("127.0.0.1", parts.port, timeout=20)
    headers = {"X-DS-Token": token, "Content-Type": "application/json"}
    connection.request(method, path, body=json.dumps(body) if body is not None else None, headers=headers)
    answer = connection.getresponse()
    data = json.loads(answer.read())
    connection.close()
    assert answer.status == 200, data
    return data


def other_tab_edit(url, key, value):
    single = [d for d in api(url, "GET", "/api/state")["drawings"] if d["kind"] == "single"][0]
    api(url, "POST", "/api/edit", {"tag": single["tag"], "version": single["version"], "table": TABLE, "key": key, "value": value})


def check_refusals(url):
    parts = urllib.parse.urlsplit(url)
    token = urllib.parse.parse_qs(parts.query)["token"][0]
    own = f"127.0.0.1:{parts.port}"
    json_post = {"Host": own, "X-DS-Token": token, "Content-Type": "application/json"}
    assert status(url, "/api/state", {"Host": own, "X-DS-Token": token}) == 200
    assert status(url, "/api/state", {"Host": own}) == 403, "no token"
    assert status(url, "/api/state", {"Host": own, "X-DS-Token": "0" * 48}) == 403, "wrong token"
    assert status(url, "/api/state", {"Host": "evil.example:80", "X-DS-Token": token}) == 403, "foreign Host"
    assert status(url, "/api/undo", dict(json_post, Origin="http://evil.example"), "POST") == 403, "foreign Origin"
    assert status(url, "/api/undo", {"Host": own, "Content-Type": "application/json"}, "POST") == 403, "POST without token"


def type_a_row(browser, wait, folder):
    """A list row typed as in a spreadsheet: every value lands, in order, none dropped."""
    browser.find_element(By.CSS_SELECTOR, "#list-parametric a").click()
    list_cell = lambda row, key: f'table[data-table="{LIST}"] [data-row="{row}"][data-key="{key}"]'
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, list_cell(1, "m_dWid")))
    browser.find_element(By.CSS_SELECTOR, list_cell(1, "m_dWid")).click()
    typing = ActionChains(browser)
    # About ten keys a second, as a person types; Tab sends the cell and moves right, Enter sends and moves down.
    for key in ["6", "0", "5", Keys.TAB, "1", "4", "7", "5", Keys.TAB, "9", "5", Keys.ENTER]:
        typing.send_keys(key).pause(0.1)
    typing.perform()
    active = browser.execute_script("const a = document.activeElement; return [a.dataset.row, a.dataset.key];")
    assert active == ["2", "m_dAngle"], f"Enter moves down from the last cell typed: {active}"
    settled = lambda b: b.execute_script("return ds.queued === 0 && !document.querySelector('td.pending');")
    wait.until(settled)
    values = browser.execute_script("return ds.grids.get(arguments[0]).table.rows[0];", LIST)
    assert values[6:9] == ["605", "1475", "95"], values
    # Full-width digits as an input method types them are read as ASCII, with a note.
    ActionChains(browser).send_keys(Keys.ARROW_UP, Keys.ARROW_LEFT, Keys.ARROW_LEFT, "１２５０", Keys.ENTER).perform()
    wait.until(settled)
    assert "read as" in browser.find_element(By.ID, "changes").text
    values = browser.execute_script("return ds.grids.get(arguments[0]).table.rows[0];", LIST)
    assert values[6] == "1250", values
    shot(browser, "8-list-typed")
    shown = subprocess.run([DS_HOST, "csh-grid", "p.json", "-d", "列表"], cwd=folder, check=True,
                           capture_output=True, text=True).stdout
    assert "| 1250 | 1475 | 95" in shown, shown

    # The sheet zooms and goes full screen; the import takes CSV, its Apply button in view.
    browser.find_element(By.ID, "zoom-in").click()
    assert browser.find_element(By.ID, "zoom-level").text != "100%"
    browser.find_element(By.ID, "sheet-full").click()
    assert "full" in browser.find_element(By.ID, "sheet-pane").get_attribute("class")
    ActionChains(browser).send_keys(Keys.ESCAPE).perform()
    browser.find_element(By.CSS_SELECTOR, "#list-single a").click()
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, 'textarea[data-key="m_strCustomNote"]'))
    # The shared settings' table comes with the drawing's other tables, later on a slow (sanitized) server.
    overridden = wait.until(lambda b: b.find_elements(
        By.CSS_SELECTOR, 'table[data-table="通用绘图设置"] [data-key="m_iScale"]'))[0]
    assert overridden.get_attribute("readonly") is not None, "a cell the observer ignores is read-only"
    browser.find_element(By.ID, "import-file").send_keys(os.path.join(folder, "in.csv"))
    wait.until(lambda b: b.find_elements(By.ID, "import-apply"))
    in_view = browser.execute_script(
        "const r = document.getElementById('import-apply').getBoundingClientRect(); return r.top >= 0 && r.bottom <= innerHeight;")
    assert in_view, "the Apply button is in view while the preview shows"
    shot(browser, "9-csv-preview")


def structure_table(browser, wait, url):
    """The 墩台 table: a width edited marks the drawing on its pier stale until the refresh; a refused value
    names its cell and changes nothing; a pasted block fills the cells; undo takes the block back."""
    browser.find_element(By.ID, "show-structures").click()
    cell = lambda line, column: f'#structure-table [data-row="{line}"][data-column="{column}"]'
    value_of = lambda selector: browser.execute_script(
        "const e = document.querySelector(arguments[0]); return e ? e.value : null;", selector)
    width, length = 9, 10
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, cell(2, width)))
    on_pier = '#structure-drawings li[data-structure="主线1号墩"] .structure-drawing[data-drawing="主线1号墩垫石"]'
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, on_pier))
    assert not browser.find_elements(By.CSS_SELECTOR, on_pier + ".stale")

    field = browser.find_element(By.CSS_SELECTOR, cell(2, width))
    field.clear()
    field.send_keys("600", Keys.ENTER)
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, on_pier + ".stale"))
    shot(browser, "11-structure-stale")
    browser.find_element(By.ID, "refresh-structures").click()
    wait.until(lambda b: not b.find_elements(By.CSS_SELECTOR, on_pier + ".stale"))
    assert "主线1号墩垫石" in browser.find_element(By.ID, "changes").text

    field = browser.find_element(By.CSS_SELECTOR, cell(3, width))
    field.clear()
    field.send_keys("abc", Keys.ENTER)
    reason = lambda: browser.execute_script(
        "const r = document.querySelector('#structure-table td.refused .reason'); return r ? r.textContent : '';")
    wait.until(lambda b: "J4" in reason())
    assert "横桥向宽度(mm)" in reason(), reason()
    lines = api(url, "GET", "/api/structures")["lines"]
    assert lines[2]["cells"][width] == "560", "a refused value changes nothing"
    shot(browser, "12-structure-refused")

    browser.execute_script(
        "const data = new DataTransfer(); data.setData('text/plain', '700\\t500\\r\\n710\\t510\\r\\n');"
        "document.querySelector(arguments[0]).dispatchEvent("
        "new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));", cell(4, width))
    wait.until(lambda b: value_of(cell(4, width)) == "700" and value_of(cell(5, length)) == "510")
    browser.find_element(By.ID, "undo").click()
    wait.until(lambda b: value_of(cell(4, width)) == "560" and value_of(cell(5, length)) == "460")
    assert value_of(cell(2, width)) == "600", "the undo took back the paste alone"
    shot(browser, "13-structure-undone")


def shot(browser, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        browser.save_screenshot(os.path.join(SHOTS, name + ".png"))


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
        # Generous: under the sanitizer build on a busy machine a redraw can take seconds.
        wait = WebDriverWait(browser, 60)
        try:
            browser.get(url)
            wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, "#list-single a"))
            browser.find_element(By.CSS_SELECTOR, "#list-single a").click()
            cell = f'table[data-table="{TABLE}"] input[data-key="m_dWidth"]'
            wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, cell))
            # Read in one script call: the page replaces the sheet after each edit.
            svg_text = lambda: browser.execute_script("return document.querySelector('#sheet img') ? ds.sheetSvg : '';")
            value_of = lambda selector: browser.execute_script(
                "const e = document.querySelector(arguments[0]); return e ? e.value : null;", selector)
            wait.until(lambda b: "560" in svg_text())
            assert "600" not in svg_text()
            shot(browser, "1-opened")

            def type_into(selector, text):
                field = browser.find_element(By.CSS_SELECTOR, selector)
                field.clear()
                field.send_keys(text, Keys.ENTER)

            type_into(cell, "600")
            wait.until(lambda b: "600" in svg_text())
            assert "560 → 600" in browser.find_element(By.ID, "changes").text
            shot(browser, "2-edited")

            type_into(cell, "abc")  # refused by the page: never sent
            reason = lambda: browser.execute_script("const r = document.querySelector('td.refused .reason'); return r ? r.textContent : '';")
            wait.until(lambda b: "not a number" in reason())
            type_into(cell, "200000")  # beyond the field's limits
            wait.until(lambda b: "100000" in reason())
            assert value_of(cell) == "200000"
            shot(browser, "3-refused")

            browser.find_element(By.ID, "undo").click()
            wait.until(lambda b: value_of(cell) == "560")
            wait.until(lambda b: "600" not in svg_text())
            assert not browser.find_elements(By.CSS_SELECTOR, "td.refused")

            # Another tab changes the drawing: this page's next edit is refused with "reload", and loses nothing.
            other_tab_edit(url, "m_dLenth", "700")
            type_into(cell, "610")
            wait.until(lambda b: "reload" in b.find_element(By.ID, "notice").text)
            browser.find_element(By.ID, "notice-reload").click()
            length = f'table[data-table="{TABLE}"] input[data-key="m_dLenth"]'
            wait.until(lambda b: value_of(length) == "700")
            assert value_of(cell) == "560"

            browser.find_element(By.ID, "import-file").send_keys(os.path.join(folder, "in.xlsx"))
            wait.until(lambda b: b.find_elements(By.ID, "import-apply"))
            assert "650" in browser.find_element(By.ID, "import-preview").text
            assert value_of(cell) == "560", "a preview changes nothing"
            shot(browser, "4-import-preview")
            browser.find_element(By.ID, "import-apply").click()
            wait.until(lambda b: value_of(cell) == "650")
            wait.until(lambda b: "650" in svg_text())
            shot(browser, "5-imported")
            # A block copied from Excel, pasted into the width: it fills the width and, below it, the length.
            browser.execute_script(
                "const data = new DataTransfer(); data.setData('text/plain', '620\\r\\n580\\r\\n');"
                "document.querySelector(arguments[0]).dispatchEvent("
                "new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));", cell)
            wait.until(lambda b: value_of(cell) == "620" and value_of(length) == "580")

            # The sheet's DXF link downloads the drawing as DXF (the page's cookie carries the token).
            dxf = browser.execute_async_script(
                "const done = arguments[0];"
                "fetch(document.getElementById('link-dxf').href)"
                ".then(r => r.text().then(t => done([r.status, r.headers.get('Content-Disposition'), t.slice(0, 40)])));")
            assert dxf[0] == 200 and ".dxf" in dxf[1] and "SECTION" in dxf[2], dxf

            # The drawing set: built with its progress shown, then the PDF and a zip of the DXF files offered.
            browser.find_element(By.ID, "build-set").click()
            wait.until(lambda b: b.find_elements(By.ID, "set-pdf"))
            got = browser.execute_async_script(
                "const done = arguments[0];"
                "Promise.all(['set-pdf', 'set-cad'].map(id => fetch(document.getElementById(id).href)"
                ".then(r => r.arrayBuffer().then(b => [r.status, new TextDecoder('latin1').decode(b.slice(0, 4))]))))"
                ".then(done);")
            assert got[0] == [200, "%PDF"] and got[1] == [200, "PK\x03\x04"], got

            # A drawing for a pier in one click: named after it, referred to it, opened.
            click_when_ready(wait, "#list-structure button", 1)
            wait.until(lambda b: "主线1号墩垫石" in b.find_element(By.ID, "drawing-name").text)
            wait.until(lambda b: "主线1号墩" in svg_text())
            shot(browser, "6-drawing-for-a-pier")
            browser.find_element(By.ID, "show-project").click()
            wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, "#project-view table"))
            shot(browser, "7-project-table")
            type_a_row(browser, wait, folder)
            structure_table(browser, wait, url)
            check_refusals(url)
        finally:
            browser.quit()
            server.send_signal(signal.SIGINT)
            code = server.wait(timeout=20)
        assert code == 0, f"ds-host serve ended with {code} after Ctrl-C"
        shown = subprocess.run([DS_HOST, "grid", "p.json", "-d", "垫石"], cwd=folder, check=True, capture_output=True, text=True).stdout
        assert "m_dWidth  横桥向宽度(mm) = 620" in shown, "the last change (the paste) was saved"
    print("serve in the browser: all checks passed")


if __name__ == "__main__":
    main()
