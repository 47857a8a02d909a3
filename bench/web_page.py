#!/usr/bin/python3
"""The page's speed against korvel-cli's on the same machine, in one run:

    web_page.py PAGE KORVEL_CLI [RUNS]

For the two largest files (1,999,999 rows: 10 Hz, and the full window at
0.0075 Hz), the median time from a click on Calculate Time History to the
file's bytes handed to the browser, against korvel-cli writing the file
(whole process); and the median time of a redraw of the picture after a
change of the amplitude (sampling, integration, column reduction, drawing).
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import page_test  # noqa: E402  (the browser set-up of the page's tests)

CASES = [
    ("max case, 10 Hz", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "200", "rate": "10000"}),
    ("full window, 0.0075 Hz", {"amplitude": "1", "frequency": "0.0075", "delay": "0", "duration": "200",
                                "rate": "10000"}),
]


def native_seconds(cli, texts, runs, folder):
    out = os.path.join(folder, "wave.txt")
    arguments = [cli, "-o", out] + [a for name in page_test.FIELDS for a in (page_test.CLI_OPTIONS[name], texts[name])]
    times = []
    for _ in range(runs):
        started = time.perf_counter()
        subprocess.run(arguments, check=True, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - started)
        os.remove(out)
    return statistics.median(times)


def page_median(texts, runs, one_run, dataset_key):
    """The median of a time the page measures itself (in ms, in its body's dataset), over runs of one_run."""
    page_test.set_texts(texts)
    times = []
    for run in range(runs):
        one_run(run)
        times.append(float(page_test.DRIVER.execute_script("return document.body.dataset." + dataset_key)) / 1000)
    return statistics.median(times)


def calculate_once(_):
    page_test.clear_downloads()
    page_test.DRIVER.execute_script("document.getElementById('calculate').click()")
    page_test.wait_for(page_test.dialog_text, "the completion message")
    page_test.downloaded_bytes()
    page_test.close_dialog()


def redraw_once(run):
    before = page_test.renders()
    page_test.DRIVER.execute_script("const a = document.getElementById('amplitude'); a.value = arguments[0];"
                                    "a.dispatchEvent(new Event('input'));", str(2 + run % 2))
    page_test.wait_for(lambda: page_test.renders() > before, "a redraw")


def units_once(run):
    before = page_test.renders()
    page_test.DRIVER.execute_script("const u = document.getElementById('units'); u.value = arguments[0];"
                                    "u.dispatchEvent(new Event('change'));", ["si", "g"][run % 2])
    page_test.wait_for(lambda: page_test.renders() > before, "a redraw")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    page, cli = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    work = tempfile.mkdtemp(prefix="korvel-web-bench-")
    page_test.PAGE, page_test.CLI = page, cli
    page_test.DOWNLOADS = os.path.join(work, "downloads")
    page_test.PROFILE = os.path.join(work, "profile")
    os.makedirs(page_test.DOWNLOADS)
    page_test.DRIVER = page_test.start_browser(1920, 1080)
    try:
        page_test.open_page()
        print("medians of %d runs; the page at 1920x1080, picture columns as drawn" % runs)
        print("%-24s %12s %12s %7s %16s %15s" % ("case", "korvel-cli", "page", "ratio", "redraw: typing",
                                                 "units changed"))
        for label, texts in CASES:
            native = native_seconds(cli, texts, runs, work)
            in_page = page_median(texts, runs, calculate_once, "calculateMs")
            redraw = page_median(texts, runs, redraw_once, "renderMs")
            units = page_median(texts, runs, units_once, "renderMs")
            print("%-24s %10.3f s %10.3f s %6.2fx %13.1f ms %12.1f ms" % (
                label, native, in_page, in_page / native, redraw * 1000, units * 1000))
    finally:
        page_test.DRIVER.quit()
        subprocess.run(["rm", "-rf", work])


if __name__ == "__main__":
    main()
