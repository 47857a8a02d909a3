#!/usr/bin/python3
"""korvel's page in a real browser: headless Chromium opens korvel-VERSION-web.html
from disk, the tests type into it as a user would and compare what it saves with
korvel-cli's files (and korvel-shock's spectra) for the same texts.

    page_test.py PAGE KORVEL_CLI KORVEL_SHOCK [unittest arguments, e.g. SameBytes]

Needs Debian's chromium, chromium-driver and python3-selenium.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE = CLI = SHOCK = None
DRIVER = None
DOWNLOADS = PROFILE = None
DOWNLOAD_NAME = "wavelet.txt"
FIELDS = ["amplitude", "frequency", "delay", "duration", "rate"]
CLI_OPTIONS = {"amplitude": "--amplitude", "frequency": "--frequency", "delay": "--delay",
               "duration": "--duration", "rate": "--rate"}
COMPLETION = ("Calculation complete.\n\n Please call the ouput file: wavelet.txt \n into your own graphics "
              "program.\n\n The output file has two columns:\n\n time(sec)  amplitude(units)")


def start_browser(width=1280, height=720):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--user-data-dir=" + PROFILE, "--window-size=%d,%d" % (width, height)]:
        options.add_argument(flag)
    options.add_experimental_option("prefs", {
        "download.default_directory": DOWNLOADS,
        "download.prompt_for_download": False,
        "profile.default_content_setting_values.automatic_downloads": 1,
    })
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": DOWNLOADS})
    return driver


def open_page():
    DRIVER.get("file://" + os.path.abspath(PAGE))
    wait_for(lambda: DRIVER.execute_script("return document.body.dataset.ready") == "1", "the page to start")


def wait_for(condition, what, seconds=60):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def renders():
    return int(DRIVER.execute_script("return document.body.dataset.renders || '0'"))


def set_texts(texts, half_sine_index=0):
    """Types each field's text as a user would (cleared first) and picks the half-sine count."""
    for name in FIELDS:
        field = DRIVER.find_element(By.ID, name)
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(Keys.DELETE)
        if texts.get(name):
            # Very long texts are put in whole and announced as typed.
            if len(texts[name]) > 200:
                DRIVER.execute_script("arguments[0].value = arguments[1];"
                                      "arguments[0].dispatchEvent(new Event('input'));", field, texts[name])
            else:
                field.send_keys(texts[name])
    DRIVER.execute_script("const s = document.getElementById('half-sines'); s.selectedIndex = arguments[0];"
                          "s.dispatchEvent(new Event('change'));", half_sine_index)


def dialog_text():
    return DRIVER.execute_script(
        "const d = document.getElementById('message'); return d.open ? document.getElementById('message-text').textContent : null;")


def close_dialog():
    DRIVER.switch_to.active_element.send_keys(Keys.ENTER)
    wait_for(lambda: not DRIVER.execute_script("return document.getElementById('message').open"), "the dialog to close")


def clear_downloads():
    for name in os.listdir(DOWNLOADS):
        os.remove(os.path.join(DOWNLOADS, name))


def downloaded_bytes(seconds=180, name=DOWNLOAD_NAME):
    path = os.path.join(DOWNLOADS, name)

    def done():
        names = os.listdir(DOWNLOADS)
        return path if name in names and not any(n.endswith(".crdownload") for n in names) else None
    try:
        wait_for(done, "the download", seconds)
    except AssertionError:
        raise AssertionError("no finished %s; the download folder holds %s" % (name, os.listdir(DOWNLOADS)))
    with open(path, "rb") as f:
        return f.read()


def cli_result(texts, half_sine_index=0):
    """korvel-cli's file (or None) and the last line of its messages for the same texts."""
    out = os.path.join(tempfile.mkdtemp(dir=DOWNLOADS + "-cli"), "wave.txt")
    arguments = [CLI, "--half-sines", str(2 * half_sine_index + 3), "--output", out]
    for name in FIELDS:
        if name in texts:
            arguments += [CLI_OPTIONS[name], texts[name]]
    run = subprocess.run(arguments, capture_output=True)
    data = None
    if run.returncode == 0:
        with open(out, "rb") as f:
            data = f.read()
    lines = run.stderr.decode().rstrip("\n").split("\n")
    return run.returncode, data, lines[-1]


def calculate_with_enter(field="rate"):
    DRIVER.find_element(By.ID, field).send_keys(Keys.ENTER)


class SameBytes(unittest.TestCase):
    """Each case's texts typed into the page and given to korvel-cli: the saved file is
    byte for byte korvel-cli's, or the page's warning is korvel-cli's warning."""

    CASES = [
        ("worked example", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "100"}, 0),
        ("halfway times at 1024 per second", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2",
                                              "rate": "1024"}, 0),
        ("amplitude 1e999", {"amplitude": "1e999", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "100"}, 0),
        ("amplitude -1e999, 23 half-sines", {"amplitude": "-1e999", "frequency": "100", "delay": "0.01",
                                             "duration": "0.2", "rate": "1000"}, 10),
        ("amplitude 0 (negative zeros)", {"amplitude": "0", "frequency": "10", "delay": "0", "duration": "0.2",
                                          "rate": "100"}, 0),
        ("texts read in part", {"amplitude": "2.5abc", "frequency": "1.5d1", "delay": " 1,5", "duration": "3x",
                                "rate": "1E3 per second"}, 1),
        ("a 5,000-digit amplitude", {"amplitude": "0." + "3" * 5000 + "e1", "frequency": "10", "delay": "0",
                                     "duration": "0.2", "rate": "100"}, 0),
        ("sample rate 0: an empty file", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2",
                                          "rate": "0"}, 0),
        ("empty fields", {}, 0),
        ("too short", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.1", "rate": "100"}, 0),
        ("frequency -0", {"amplitude": "1", "frequency": "-0", "delay": "0", "duration": "0.2", "rate": "100"}, 0),
        ("delay -1e999, frequency 0", {"amplitude": "1", "frequency": "", "delay": "-1e999", "duration": "1",
                                       "rate": "100"}, 0),
        ("largest file, short wavelet", {"amplitude": "1", "frequency": "10", "delay": "0", "duration": "200",
                                         "rate": "10000"}, 0),
        ("largest file, full window", {"amplitude": "1", "frequency": "0.0075", "delay": "0", "duration": "200",
                                       "rate": "10000"}, 0),
    ]

    def check(self, label, texts, index):
        expected_status, expected_data, expected_message = cli_result(texts, index)
        clear_downloads()
        set_texts(texts, index)
        calculate_with_enter()
        text = wait_for(dialog_text, "a message")
        if expected_status == 3:
            self.assertEqual(text, expected_message, label)
            self.assertEqual(os.listdir(DOWNLOADS), [], label)
        else:
            self.assertEqual(expected_status, 0, label)
            self.assertEqual(text, COMPLETION, label)
            data = downloaded_bytes()
            self.assertEqual(len(data), len(expected_data), label)
            self.assertTrue(data == expected_data, label + ": the bytes differ")
        close_dialog()
        return expected_data

    def test_table_of_cases(self):
        largest = None
        for label, texts, index in self.CASES:
            with self.subTest(label):
                data = self.check(label, texts, index)
                if label.startswith("largest file"):
                    largest = data
        self.assertEqual(len(largest), 65_999_967)

    def test_random_cases(self):
        import random
        generator = random.Random(19)
        for case in range(12):
            texts = {
                "amplitude": "%.*g" % (generator.randint(1, 17), generator.uniform(-100, 100)),
                "frequency": "%.*g" % (generator.randint(1, 17), 10 ** generator.uniform(-1, 3)),
                "delay": "%.*g" % (generator.randint(1, 17), generator.uniform(0, 0.5)),
                "duration": "%.*g" % (generator.randint(1, 17), generator.uniform(0.5, 20)),
                "rate": "%.*g" % (generator.randint(1, 17), 10 ** generator.uniform(1, 4.5)),
            }
            index = generator.randint(0, 10)
            with self.subTest(case=case, texts=texts, index=index):
                self.check("random %d" % case, texts, index)


class FormAndDialog(unittest.TestCase):
    def test_labels_choice_and_button(self):
        labels = DRIVER.execute_script(
            "return Array.from(document.querySelectorAll('label')).map(l => [l.htmlFor, l.textContent]);")
        self.assertEqual(labels[:6], [["amplitude", "Amplitude"], ["frequency", "Frequency (Hz)"],
                                      ["half-sines", "Number of Half-Sine"], ["delay", "Delay (sec)"],
                                      ["duration", "Total Duration (sec)"], ["rate", "Samples per second"]])
        choices = DRIVER.execute_script(
            "return Array.from(document.getElementById('half-sines').options).map(o => o.textContent);")
        self.assertEqual(choices, [str(n) for n in range(3, 24, 2)])
        self.assertEqual(DRIVER.find_element(By.ID, "calculate").text, "Calculate Time History")

    def test_screen_reader_names(self):
        DRIVER.execute_cdp_cmd("Accessibility.enable", {})
        nodes = DRIVER.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        named = {(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in nodes}
        for label in ["Amplitude", "Frequency (Hz)", "Delay (sec)", "Total Duration (sec)", "Samples per second"]:
            self.assertIn(("textbox", label), named)
        self.assertIn(("combobox", "Number of Half-Sine"), named)
        self.assertIn(("button", "Calculate Time History"), named)
        self.assertIn(("combobox", "Picture units"), named)

    def test_partly_read_note_beside_the_field(self):
        set_texts({"amplitude": "1,5"})
        note = DRIVER.find_element(By.ID, "amplitude-note").text
        self.assertEqual(note, 'Read as 1: the text after "1" is ignored (the decimal separator is the point).')
        self.assertIn("partly", DRIVER.find_element(By.ID, "amplitude").get_attribute("class"))
        self.assertEqual(DRIVER.find_element(By.ID, "amplitude").get_attribute("aria-describedby"), "amplitude-note")
        set_texts({"amplitude": "abc"})
        self.assertEqual(DRIVER.find_element(By.ID, "amplitude-note").text,
                         "Read as 0: the text does not begin with a number.")
        set_texts({"amplitude": "1.5"})
        self.assertEqual(DRIVER.find_element(By.ID, "amplitude-note").text, "")
        self.assertNotIn("partly", DRIVER.find_element(By.ID, "amplitude").get_attribute("class"))

    def test_warning_dialog_keeps_spaces_and_gives_the_focus_back(self):
        set_texts({"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.1", "rate": "100"})
        DRIVER.find_element(By.ID, "calculate").click()
        self.assertEqual(wait_for(dialog_text, "the warning"), " Warning: Recommended duration >     0.15")
        state = DRIVER.execute_script(
            "const d = document.getElementById('message'), t = document.getElementById('message-text');"
            "return [d.getAttribute('role'), d.getAttribute('aria-modal'), getComputedStyle(t).whiteSpace,"
            " document.activeElement.id, t.getBoundingClientRect().width];")
        self.assertEqual(state[:4], ["alertdialog", "true", "pre", "message-ok"])
        DRIVER.execute_cdp_cmd("Accessibility.enable", {})
        nodes = DRIVER.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        dialogs = [n for n in nodes if n.get("role", {}).get("value") == "alertdialog"]
        self.assertEqual(dialogs[0]["name"]["value"], "korvel")
        self.assertEqual(dialogs[0]["description"]["value"].strip(), "Warning: Recommended duration > 0.15")
        DRIVER.switch_to.active_element.send_keys(Keys.ESCAPE)
        wait_for(lambda: not DRIVER.execute_script("return document.getElementById('message').open"), "Escape")
        self.assertEqual(DRIVER.switch_to.active_element.get_attribute("id"), "calculate")

    def test_keyboard_alone(self):
        DRIVER.find_element(By.ID, "amplitude").click()
        order = []
        for _ in range(7):
            order.append(DRIVER.switch_to.active_element.get_attribute("id"))
            DRIVER.switch_to.active_element.send_keys(Keys.TAB)
        self.assertEqual(order, ["amplitude", "frequency", "half-sines", "delay", "duration", "rate", "calculate"])
        # Enter in the list calculates too (all other fields empty: the warning).
        set_texts({})
        DRIVER.find_element(By.ID, "half-sines").send_keys(Keys.ENTER)
        self.assertEqual(wait_for(dialog_text, "the warning"), " Warning: Recommended duration >      inf")
        close_dialog()
        self.assertEqual(DRIVER.switch_to.active_element.get_attribute("id"), "half-sines")

    def test_no_network_request(self):
        open_page()
        set_texts({"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "100"})
        clear_downloads()
        calculate_with_enter()
        wait_for(dialog_text, "the completion message")
        downloaded_bytes()
        close_dialog()
        urls = []
        for entry in DRIVER.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        self.assertTrue(urls)
        for url in urls:
            # The browser's own pages (its first empty tab) are not the page's.
            if not url.startswith("chrome://"):
                self.assertTrue(url.startswith(("file://", "blob:", "data:")), url)
        policy = DRIVER.execute_script(
            "return document.querySelector('meta[http-equiv=\"Content-Security-Policy\"]').content")
        self.assertTrue(policy.startswith("default-src 'none'"))


class Picture(unittest.TestCase):
    def picture(self):
        return DRIVER.execute_script("return document.getElementById('picture').toDataURL()")

    def test_drawn_and_redrawn_as_the_user_types(self):
        set_texts({})
        wait_for(lambda: "Warning: Recommended duration >      inf" in
                 DRIVER.find_element(By.ID, "picture-note").text, "the empty picture's note")
        empty = self.picture()
        set_texts({"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "1000"})
        wait_for(lambda: DRIVER.find_element(By.ID, "picture-note").text == "", "the picture")
        drawn = self.picture()
        self.assertNotEqual(drawn, empty)
        before = renders()
        DRIVER.find_element(By.ID, "amplitude").send_keys("0")  # 10
        wait_for(lambda: renders() > before, "a redraw")
        self.assertNotEqual(self.picture(), drawn)
        self.assertTrue(DRIVER.find_element(By.ID, "figure-amplitude").text.startswith("-10 g at 0.075 s"))

    def test_figures_match_the_closed_forms(self):
        # The case of MotionFigures' pinned C++ test: 2 g, 10 Hz, 5 half-sines after 0.05 s.
        set_texts({"amplitude": "2", "frequency": "10", "delay": "0.05", "duration": "0.5", "rate": "10000"}, 1)
        DRIVER.execute_script("const u = document.getElementById('units'); u.value = 'g';"
                              "u.dispatchEvent(new Event('change'));")
        wait_for(lambda: DRIVER.find_element(By.ID, "figure-velocity").text != "none", "the figures")
        time.sleep(0.3)
        figures = {i: DRIVER.find_element(By.ID, i).text for i in EXPECTED_FIGURES_G}
        self.assertEqual(figures, EXPECTED_FIGURES_G)
        # What is left at the end is rounding residue, far below the peaks.
        for i, unit in [("figure-end-velocity", " m/s"), ("figure-end-displacement", " m")]:
            text = DRIVER.find_element(By.ID, i).text
            self.assertTrue(text.endswith(unit), text)
            self.assertLess(abs(float(text[:-len(unit)].replace("e-0", "e-"))), 1e-12, text)
        DRIVER.execute_script("const u = document.getElementById('units'); u.value = 'own';"
                              "u.dispatchEvent(new Event('change'));")
        wait_for(lambda: "units·s" in DRIVER.find_element(By.ID, "figure-velocity").text, "own units")
        self.assertTrue(DRIVER.find_element(By.ID, "figure-displacement").text == "0.001039 units·s²")

    def test_dark_and_light_follow_the_system(self):
        colours = []
        for scheme in ["light", "dark"]:
            DRIVER.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                   {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
            colours.append(DRIVER.execute_script("return getComputedStyle(document.body).backgroundColor"))
        DRIVER.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.assertEqual(colours, ["rgb(255, 255, 255)", "rgb(22, 24, 28)"])


def counter(name):
    return int(DRIVER.execute_script("return document.body.dataset[arguments[0]] || '0'", name))


def set_spectrum_options(q, continuous, rate=""):
    DRIVER.execute_script(
        "const q = document.getElementById('spectrum-q'), p = document.getElementById('spectrum-peak'),"
        " r = document.getElementById('spectrum-record-rate');"
        "q.value = arguments[0]; p.value = arguments[1] ? '1' : '0'; r.value = arguments[2];"
        "q.dispatchEvent(new Event('input', {bubbles: true})); p.dispatchEvent(new Event('change', {bubbles: true}));"
        "r.dispatchEvent(new Event('input', {bubbles: true}));", q, continuous, rate)


def shock_result(path, options, cwd=None):
    """korvel-shock srs's status, CSV and last message line for a record file."""
    run = subprocess.run([os.path.abspath(SHOCK), "srs"] + options + [path], capture_output=True, cwd=cwd, timeout=60)
    return run.returncode, run.stdout, run.stderr.decode().rstrip("\n").split("\n")[-1]


def shock_options(q, continuous, rate=""):
    return ["--q", q, "--peak", "continuous" if continuous else "sampled"] + (["--rate", rate] if rate else [])


def measured_record(rows, rate, columns=2):
    """A measured-style record: a header, then a decaying 2 kHz ring with a drift, in fixed decimals."""
    import math
    lines = ["time_s,accel_g" if columns == 2 else "accel_g"]
    for i in range(rows):
        t = i / rate
        value = 40 * math.exp(-30 * t) * math.sin(2 * math.pi * 2000 * t) + 0.3 * math.sin(2 * math.pi * 7 * t)
        lines.append(("%.6f,%.6f" % (t, value)) if columns == 2 else "%.6f" % value)
    return "\n".join(lines) + "\n"


class Spectrum(unittest.TestCase):
    """The spectrum panel: its CSV downloads are korvel-shock srs's bytes for the same record and
    options, its plot follows the user's typing, a bad record gets the command's message."""

    def plot(self, which):
        return DRIVER.execute_script("return document.getElementById(arguments[0]).innerHTML", which)

    def test_wavelet_download_is_the_commands_bytes(self):
        cases = [
            ("worked example at 1000 per second", {"amplitude": "1", "frequency": "10", "delay": "0",
                                                   "duration": "0.2", "rate": "1000"}, 0, "10", False),
            ("7 half-sines after a delay, Q 25, continuous peaks",
             {"amplitude": "-3.5", "frequency": "150", "delay": "0.01", "duration": "0.5", "rate": "20000"}, 2,
             "25", True),
        ]
        for label, texts, index, q, continuous in cases:
            with self.subTest(label):
                set_texts(texts, index)
                set_spectrum_options(q, continuous)
                status, data, _ = cli_result(texts, index)
                self.assertEqual(status, 0)
                record = os.path.join(tempfile.mkdtemp(dir=DOWNLOADS + "-cli"), "wavelet.txt")
                with open(record, "wb") as f:
                    f.write(data)
                status, expected, _ = shock_result(record, shock_options(q, continuous))
                self.assertEqual(status, 0)
                clear_downloads()
                DRIVER.find_element(By.ID, "spectrum-wavelet-download").click()
                self.assertTrue(downloaded_bytes(name="wavelet-srs.csv") == expected, label + ": the bytes differ")

    def test_plot_drawn_and_redrawn_as_the_user_types(self):
        set_spectrum_options("10", False)
        set_texts({"amplitude": "1", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "1000"})
        wait_for(lambda: "Q = 10, peaks at the samples, 1000 samples per second, 200 samples" in
                 self.plot("spectrum-wavelet-plot"), "the wavelet's spectrum")
        drawn = self.plot("spectrum-wavelet-plot")
        self.assertGreater(drawn.count("<polyline"), 2)
        DRIVER.find_element(By.ID, "rate").send_keys("0")  # 10000
        wait_for(lambda: "10000 samples per second, 2000 samples" in self.plot("spectrum-wavelet-plot"), "a redraw")
        self.assertNotEqual(self.plot("spectrum-wavelet-plot").count("<polyline"), 0)
        # A Q the command refuses is named beside the field, and nothing stale stays drawn.
        field = DRIVER.find_element(By.ID, "spectrum-q")
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys("0.5")
        wait_for(lambda: DRIVER.find_element(By.ID, "spectrum-options-note").text ==
                 "Q 0.5: must be above 0.5 (an oscillator damped that much does not ring)", "Q's message")
        wait_for(lambda: self.plot("spectrum-wavelet-plot") == "", "the plot to go")
        set_spectrum_options("10", False)
        # Infinite samples have no spectrum (an oscillator's decay from them never dies away).
        set_texts({"amplitude": "1e999", "frequency": "10", "delay": "0", "duration": "0.2", "rate": "1000"})
        wait_for(lambda: DRIVER.find_element(By.ID, "spectrum-wavelet-note").text ==
                 "Some samples are beyond the largest number (inf or nan): no spectrum.", "the wavelet's note")
        self.assertEqual(self.plot("spectrum-wavelet-plot"), "")

    def test_a_change_during_a_long_spectrum_replaces_it(self):
        def put(field, text):
            DRIVER.execute_script("const f = document.getElementById(arguments[0]); f.value = arguments[1];"
                                  "f.dispatchEvent(new Event('input', {bubbles: true}));", field, text)

        def finished():
            return DRIVER.execute_script("return document.getElementById('spectrum-wavelet-progress').hidden")
        set_spectrum_options("10", True)
        # Long enough that the progress bar shows for a while on a fast machine too.
        set_texts({"amplitude": "2", "frequency": "10", "delay": "0", "duration": "100", "rate": "10000"})
        wait_for(lambda: "1000000 samples" in self.plot("spectrum-wavelet-plot") and finished(), "the first spectrum", 300)
        alone = self.plot("spectrum-wavelet-plot")
        put("amplitude", "1")
        wait_for(lambda: not finished(), "the progress bar")
        put("amplitude", "2")
        # The spectrum of the last texts, and no spectrum interrupted drawn over it later.
        wait_for(lambda: finished() and self.plot("spectrum-wavelet-plot") == alone, "the second spectrum", 300)
        time.sleep(1)
        self.assertEqual(self.plot("spectrum-wavelet-plot"), alone)
        set_spectrum_options("10", False)

    def test_record_opened_is_the_commands_bytes(self):
        folder = tempfile.mkdtemp(dir=DOWNLOADS + "-cli")
        cases = [
            ("measured CSV, continuous peaks", "shock.csv", measured_record(30000, 20000), "10", True, ""),
            ("one column at a given rate", "ring.txt", measured_record(5000, 20000, columns=1), "5", False, "20000"),
        ]
        for label, name, text, q, continuous, rate in cases:
            with self.subTest(label):
                path = os.path.join(folder, name)
                with open(path, "w") as f:
                    f.write(text)
                status, expected, _ = shock_result(path, shock_options(q, continuous, rate))
                self.assertEqual(status, 0)
                set_spectrum_options(q, continuous, rate)
                before = counter("recordSpectra")
                DRIVER.find_element(By.ID, "spectrum-record-file").send_keys(path)
                wait_for(lambda: counter("recordSpectra") > before and
                         DRIVER.find_element(By.ID, "spectrum-record-download").is_enabled(), "the record's spectrum")
                self.assertIn("<polyline", self.plot("spectrum-record-plot"))
                clear_downloads()
                DRIVER.find_element(By.ID, "spectrum-record-download").click()
                self.assertTrue(downloaded_bytes(name=name.rsplit(".", 1)[0] + "-srs.csv") == expected,
                                label + ": the bytes differ")

    def test_bad_record_dropped_gets_the_commands_message(self):
        import math
        ring = "".join("%.4f,%.6g\n" % (i / 10000, 1.7e308 * math.sin(2 * math.pi * 500 * i / 10000))
                       for i in range(2000))
        cases = [
            ("text among the numbers", "bad.csv", "time,accel\n0,0\n0.001,1.5\n0.002,abc\n0.003,2\n",
             'korvel-shock: bad.csv:4: "abc" is not a number'),
            ("a response beyond double precision", "huge.csv", ring, None),
        ]
        folder = tempfile.mkdtemp(dir=DOWNLOADS + "-cli")
        set_spectrum_options("10", False)
        for label, name, text, expected in cases:
            with self.subTest(label):
                with open(os.path.join(folder, name), "w") as f:
                    f.write(text)
                status, _, message = shock_result(name, [], cwd=folder)
                self.assertEqual(status, 3)
                if expected:
                    self.assertEqual(message, expected)
                before = counter("recordSpectra")
                DRIVER.execute_script(
                    "const data = new DataTransfer(); data.items.add(new File([arguments[0]], arguments[1]));"
                    "document.getElementById('spectrum-record-pane').dispatchEvent("
                    " new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));", text, name)
                wait_for(lambda: counter("recordSpectra") > before, "the record's message")
                self.assertEqual("korvel-shock: " + DRIVER.find_element(By.ID, "spectrum-record-note").text, message)
                self.assertEqual(self.plot("spectrum-record-plot"), "")
                self.assertFalse(DRIVER.find_element(By.ID, "spectrum-record-download").is_enabled())

    # The synthesis panel beside them: its files are korvel-shock synthesize's for the same target and
    # options, and a target or option the command refuses gets its message beside the field.
    SYNTHESIS_FIELDS = {"tolerance": "-1.5,3", "q": "10", "max-displacement": "", "max-velocity": "",
                        "max-acceleration": "", "units": "g", "fraction": "12", "seed": "1", "rate": "",
                        "duration": ""}

    def synthesise(self, fields, target=None, dropped=None):
        """Types the fields (and the target, or drops a file's text) and synthesises; the counter after."""
        texts = dict(self.SYNTHESIS_FIELDS, **fields)
        DRIVER.execute_script(
            "for (const [name, value] of Object.entries(arguments[0])) {"
            " document.getElementById('synthesis-' + name).value = value; }"
            "if (arguments[1] !== null) { const t = document.getElementById('synthesis-target');"
            " t.value = arguments[1]; t.dispatchEvent(new Event('input')); }", texts, target)
        if dropped:
            before_text = DRIVER.execute_script("return document.getElementById('synthesis-target').value")
            DRIVER.execute_script(
                "const data = new DataTransfer(); data.items.add(new File([arguments[0]], arguments[1]));"
                "document.getElementById('synthesis-form').dispatchEvent("
                " new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));", *dropped)
            wait_for(lambda: DRIVER.execute_script("return document.getElementById('synthesis-target').value") !=
                     before_text or dropped[0] == before_text, "the dropped target")
        before = counter("syntheses")
        DRIVER.find_element(By.ID, "synthesize").click()
        wait_for(lambda: counter("syntheses") > before, "the synthesis", 120)

    def test_synthesis_downloads_are_the_commands_bytes(self):
        targets = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "shock", "targets")
        cases = [
            ("pyroshock, the stroke binds", "pyroshock", {"max-displacement": "0.05"}, 4),
            ("ramp and plateau in m/s2, Q 15, an acceleration limit", "ramp_plateau",
             {"units": "m/s2", "q": "15", "max-acceleration": "30"}, 0),
        ]
        for label, name, fields, status in cases:
            with self.subTest(label):
                folder = tempfile.mkdtemp(dir=DOWNLOADS + "-cli")
                options = sum((["--" + k, v] for k, v in fields.items()), [])
                run = subprocess.run([os.path.abspath(SHOCK), "synthesize", name + ".csv", "-o", folder + "/shock.txt",
                                      "--table", folder + "/table.csv", "--report", folder + "/report.csv",
                                      "--plot", folder + "/plot.svg"] + options, cwd=targets, capture_output=True)
                self.assertEqual(run.returncode, status, run.stderr)
                with open(os.path.join(targets, name + ".csv")) as f:
                    self.synthesise(fields, dropped=(f.read(), name + ".csv"))
                self.assertIn("<svg", DRIVER.find_element(By.ID, "synthesis-plot").get_attribute("innerHTML"))
                self.assertEqual(DRIVER.find_element(By.ID, "synthesis-verdict").text.startswith("Result: NOT"),
                                 status == 4)
                for button, saved, expected in [("file", "-shock.txt", "shock.txt"), ("table", "-table.csv", "table.csv"),
                                                ("report", "-report.csv", "report.csv"), ("plot", "-plot.svg", "plot.svg")]:
                    clear_downloads()
                    DRIVER.find_element(By.ID, "synthesis-download-" + button).click()
                    with open(os.path.join(folder, expected), "rb") as f:
                        self.assertTrue(downloaded_bytes(name=name + saved) == f.read(), label + ": " + expected)

    def test_bad_synthesis_gets_the_commands_message(self):
        folder = tempfile.mkdtemp(dir=DOWNLOADS + "-cli")
        pyroshock = "100,10\n1000,1000\n10000,3000\n"
        # The page's names for the command's options.
        names = [("at --rate ", "at a sample rate of "), ("a lower --rate", "a lower sample rate"),
                 ("a shorter --duration", "a shorter longest duration"), ("--tolerance", "Tolerance"),
                 ("--duration", "Longest duration")]
        cases = [
            ("falling frequencies, typed", "frequency,level\n100,10\n1000,20\n500,30\n", {}, "synthesis-target-note"),
            ("one breakpoint, dropped", "100,10\n", {}, "synthesis-target-note"),
            ("a level of 0, dropped", "100,10\n1000,0\n", {}, "synthesis-target-note"),
            ("a tolerance above 0 dB", pyroshock, {"tolerance": "1,3"}, "synthesis-tolerance-note"),
            ("a too-short duration", pyroshock, {"duration": "0.001"}, "synthesis-duration-note"),
            ("beyond 1,999,999 samples", "1,1\n10000,100\n", {"rate": "1e6"}, "synthesis-status"),
        ]
        for label, text, fields, note in cases:
            with self.subTest(label):
                with open(os.path.join(folder, "target.csv"), "w") as f:
                    f.write(text)
                options = sum((["--" + k, v] for k, v in fields.items()), [])
                run = subprocess.run([os.path.abspath(SHOCK), "synthesize", "target.csv", "-o", "out.txt"] + options,
                                     cwd=folder, capture_output=True)
                self.assertIn(run.returncode, (2, 3))
                expected = run.stderr.decode().rstrip("\n").split("\n")[-1][len("korvel-shock: "):]
                for option, name in names:
                    expected = expected.replace(option, name)
                if "typed" in label:
                    self.synthesise(fields, target=text)
                    expected = "Line " + expected[len("target.csv:"):]
                else:
                    self.synthesise(fields, dropped=(text, "target.csv"))
                self.assertEqual(DRIVER.find_element(By.ID, note).text, expected)
                self.assertEqual(DRIVER.execute_script("return document.getElementById('synthesis-target').value"),
                                 text)  # nothing typed is lost
                self.assertEqual(DRIVER.find_element(By.ID, "synthesis-plot").get_attribute("innerHTML"), "")
                self.assertFalse(DRIVER.find_element(By.ID, "synthesis-download-file").is_enabled())

# The figures of the pinned case, as the page shows them (four digits).
EXPECTED_FIGURES_G = {
    "figure-amplitude": "2 g at 0.175 s",
    "figure-velocity": "-0.3092 m/s at 0.15 s",
    "figure-displacement": "0.01019 m",
    "figure-lowest": "-0.00345 m at 0.175 s",
    "figure-highest": "0.006738 m at 0.1226 s",
}


def setUpModule():
    global DRIVER
    DRIVER = start_browser()
    open_page()


def tearDownModule():
    if DRIVER:
        DRIVER.quit()


def main():
    global PAGE, CLI, SHOCK, DOWNLOADS, PROFILE
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    PAGE, CLI, SHOCK = sys.argv[1], sys.argv[2], sys.argv[3]
    work = tempfile.mkdtemp(prefix="korvel-web-")
    DOWNLOADS = os.path.join(work, "downloads")
    PROFILE = os.path.join(work, "profile")
    os.makedirs(DOWNLOADS)
    os.makedirs(DOWNLOADS + "-cli")
    try:
        program = unittest.main(argv=[sys.argv[0]] + sys.argv[4:], exit=False, verbosity=2)
        result = program.result
        failed = len(result.failures) + len(result.errors)
        print("%d passed, %d failed" % (result.testsRun - failed, failed))
        sys.exit(0 if result.wasSuccessful() else 1)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
