#!/usr/bin/python3
"""The link reports in headless Chromium, with the network shut off.

Usage: report_browser_test.py SAMPLE_TOOL FOLDER [CLI EXAMPLES] [REPORT.html ...]

SAMPLE_TOOL writes settings.html, profile.html, mechanisms.html and hostile.html into
FOLDER;
with CLI and EXAMPLES, `CLI plan FILE --report` writes the report of each
example plan there too; further reports are checked the same way. For each
report the browser is driven over the DevTools protocol on a pipe, so that
every request, console message, exception and parsed script is seen:
- no request leaves the page but the page itself;
- no console error, no exception, and no script is parsed at all;
- printed to PDF on A4 it takes at most 8 pages;
- a section no taller than a page's content lies on one page.
The hostile report, which has markup in every text field, must show that
markup as text. Exits 77 (skipped) without Chromium.
"""

import base64
import json
import os
import re
import subprocess
import sys
import tempfile

CHROMIUM = "/usr/bin/chromium"
MAX_PAGES = 8
# A4 less the stylesheet's 12 mm margins, in CSS pixels (96 per inch).
PX_PER_MM = 96 / 25.4
CONTENT_WIDTH_PX = (210 - 2 * 12) * PX_PER_MM
CONTENT_HEIGHT_PX = (297 - 2 * 12) * PX_PER_MM
HOSTILE_MARK = "<script>document.title='ran'</script></style>\"&amp;\"<img src=x onerror=alert(1)>"


class Browser:
    """Chromium with --remote-debugging-pipe: commands on fd 3, replies on fd 4."""

    def __init__(self, profile_dir):
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()
        args = [
            CHROMIUM, "--headless=new", "--disable-gpu", "--no-sandbox", "--no-first-run",
            "--user-data-dir=" + profile_dir, "--remote-debugging-pipe",
            # Nothing can be fetched: every name fails to resolve and every
            # proxied request goes to a closed port.
            "--host-resolver-rules=MAP * ~NOTFOUND", "--proxy-server=127.0.0.1:9",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "about:blank",
        ]

        def pass_fds():
            os.dup2(to_browser_r, 3)
            os.dup2(from_browser_w, 4)

        self._process = subprocess.Popen(args, pass_fds=(3, 4), preexec_fn=pass_fds,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next_id = 0
        self.events = []

    def close(self):
        try:
            self.send("Browser.close")
        except (OSError, RuntimeError):
            pass
        try:
            self._process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)

    def _read_message(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=None):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read_message()
            if reply.get("id") == self._next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)

    def wait_for(self, method):
        for event in self.events:
            if event.get("method") == method:
                return event
        while True:
            event = self._read_message()
            self.events.append(event)
            if event.get("method") == method:
                return event


def page_count(pdf):
    return len(re.findall(rb"/Type\s*/Page[^s]", pdf))


def page_texts(pdf_path):
    """Each page's text with all white space removed (pdftotext, which the set-up installs)."""
    text = subprocess.run(["pdftotext", pdf_path, "-"], capture_output=True, check=True, text=True).stdout
    return [re.sub(r"\s+", "", page) for page in text.split("\f")]


# Each section's heading and the end of its last text (a cell, a caption, a
# line of the plan: what the PDF keeps in one piece), measured with
# the print stylesheet at the width of an A4 page's content.
SECTIONS_JS = """
JSON.stringify([...document.querySelectorAll('body > header, body > section')].map(s => ({
  id: s.id || 'header',
  heading: (s.querySelector('h1, h2') || {}).innerText || '',
  tail: [...s.querySelectorAll('*')]
          .filter(e => e.children.length === 0 && !e.closest('svg') && e.textContent.trim())
          .map(e => e.textContent.replace(/\\s+/g, '')).pop().slice(-24),
  height: s.getBoundingClientRect().height,
})))
"""


def check_report(html_path, work, hostile):
    failures = []
    browser = Browser(os.path.join(work, "profile"))
    try:
        page = next(t for t in browser.send("Target.getTargets")["targetInfos"] if t["type"] == "page")
        session = browser.send("Target.attachToTarget", {"targetId": page["targetId"], "flatten": True})["sessionId"]
        for domain in ("Network", "Runtime", "Log", "Page", "Debugger"):
            browser.send(domain + ".enable", session=session)
        url = "file://" + os.path.abspath(html_path)
        browser.events.clear()
        browser.send("Page.navigate", {"url": url}, session=session)
        browser.wait_for("Page.loadEventFired")
        # Everything the page did by itself, before the probes below run scripts of their own.
        own = list(browser.events)

        for event in own:
            method, params = event.get("method"), event.get("params", {})
            if method == "Network.requestWillBeSent" and params["request"]["url"] != url:
                failures.append("request: " + params["request"]["url"])
            if method == "Debugger.scriptParsed":
                failures.append("script parsed: " + (params.get("url") or "inline"))
            if method == "Runtime.exceptionThrown":
                failures.append("exception: " + json.dumps(params["exceptionDetails"])[:200])
            if method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
                failures.append("console error: " + json.dumps(params.get("args"))[:200])
            if method == "Log.entryAdded" and params["entry"]["level"] == "error":
                failures.append("console error: " + params["entry"]["text"])

        def evaluate(expression):
            return browser.send("Runtime.evaluate", {"expression": expression, "returnByValue": True},
                                session=session)["result"].get("value")

        if evaluate("document.querySelectorAll('script, img, iframe, object, embed').length") != 0:
            failures.append("the page holds a script, image or frame element")
        if hostile:
            if evaluate("document.title") != HOSTILE_MARK:
                failures.append("the title is not the plan's text: " + repr(evaluate("document.title")))
            shown = evaluate("document.body.innerText.split(%s).length - 1" % json.dumps(HOSTILE_MARK))
            if not shown or shown < 5:
                failures.append(f"the plan's text is shown as text {shown} times, expected at least 5")

        browser.send("Emulation.setEmulatedMedia", {"media": "print"}, session=session)
        browser.send("Emulation.setDeviceMetricsOverride",
                     {"width": round(CONTENT_WIDTH_PX), "height": round(CONTENT_HEIGHT_PX),
                      "deviceScaleFactor": 1, "mobile": False}, session=session)
        sections = json.loads(evaluate(SECTIONS_JS))
        browser.send("Emulation.clearDeviceMetricsOverride", session=session)
        browser.send("Emulation.setEmulatedMedia", {"media": ""}, session=session)
        pdf = base64.b64decode(browser.send("Page.printToPDF", {"preferCSSPageSize": True, "printBackground": True},
                                            session=session)["data"])
    finally:
        browser.close()

    pdf_path = os.path.join(work, os.path.basename(html_path) + ".pdf")
    with open(pdf_path, "wb") as f:
        f.write(pdf)
    pages = page_count(pdf)
    # The page limit is for real plans; the hostile one has long markup in every name.
    if not 1 <= pages <= MAX_PAGES and not hostile:
        failures.append(f"{pages} A4 pages, at most {MAX_PAGES} allowed")

    # A section that fits on a page must not be cut: its heading and the end
    # of its text are found on the same page of the PDF. Headings are looked
    # for in order, so a word met earlier in the report cannot stand in.
    texts = page_texts(pdf_path)
    first = 0
    for s in sections:
        heading = re.sub(r"\s+", "", s["heading"])
        start = next((i for i in range(first, len(texts)) if heading and heading in texts[i]), None)
        if start is None:
            failures.append(f"section {s['id']}: heading {s['heading']!r} not found in the PDF")
            continue
        first = start
        if s["height"] > CONTENT_HEIGHT_PX:
            continue
        end = next((i for i in range(start, len(texts)) if s["tail"] in texts[i]), None)
        if end != start:
            failures.append(f"section {s['id']} ({s['height']:.0f} px of {CONTENT_HEIGHT_PX:.0f}) "
                            f"starts on page {start + 1} and ends on page {None if end is None else end + 1}")
    return pages, failures


def main():
    if not os.access(CHROMIUM, os.X_OK):
        print("skipped: no " + CHROMIUM)
        return 77
    sample_tool, folder = sys.argv[1], sys.argv[2]
    subprocess.run([sample_tool, folder], check=True)
    reports = [(os.path.join(folder, name), name == "hostile.html")
               for name in ("settings.html", "profile.html", "mechanisms.html", "hostile.html")]
    extra = sys.argv[3:]
    if len(extra) >= 2 and os.path.isdir(extra[1]):
        cli, examples = extra[0], extra[1]
        extra = extra[2:]
        for name in sorted(os.listdir(examples)):
            if name.endswith(".tropolink.toml"):
                report = os.path.join(folder, name.replace(".tropolink.toml", ".html"))
                subprocess.run([cli, "plan", os.path.join(examples, name), "--report", report],
                               check=True, stdout=subprocess.DEVNULL)
                reports.append((report, False))
    reports += [(path, False) for path in extra]
    failed = False
    for path, hostile in reports:
        with tempfile.TemporaryDirectory() as work:
            pages, failures = check_report(path, work, hostile)
        print(f"{os.path.basename(path)}: {pages} pages" + ("" if not failures else ", FAILED"))
        for failure in failures:
            print("  " + failure)
        failed = failed or bool(failures)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
