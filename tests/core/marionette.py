#!/usr/bin/python3
"""Screenshots of one page by headless Firefox at device pixel ratios, in device pixels.

usage: marionette.py URL OUT_DIR WIDTH SCALE...   writes OUT_DIR/firefox-SCALE.png for each SCALE

Firefox's --screenshot draws at CSS pixels whatever layout.css.devPixelsPerPx says; a screenshot
taken through its remote protocol (Marionette: length-prefixed JSON over TCP) has device pixels.
One browser serves every scale: the ratio is a preference, set between the screenshots.
"""
import base64
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time


class Marionette:
    def __init__(self, port):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=60)
        self.stream = self.socket.makefile("rb")
        self.id = 0
        self.read()  # the server's greeting

    def read(self):
        length = b""
        while not length.endswith(b":"):
            byte = self.stream.read(1)
            if not byte:
                raise RuntimeError("Firefox closed the connection")
            length += byte
        return json.loads(self.stream.read(int(length[:-1])))

    def call(self, name, parameters):
        self.id += 1
        message = json.dumps([0, self.id, name, parameters]).encode()
        self.socket.sendall(b"%d:%s" % (len(message), message))
        _, _, error, result = self.read()
        if error:
            raise RuntimeError(f"{name}: {error}")
        return result


def main():
    url, out, width, scales = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
    profile = tempfile.mkdtemp(prefix="tesselet-firefox-")
    with open(os.path.join(profile, "user.js"), "w") as prefs:
        prefs.write('user_pref("marionette.port", 0);\n')  # any free port, told in a file
    firefox = subprocess.Popen(["firefox-esr", "--headless", "--marionette", "--remote-allow-system-access", "--no-remote",
                                "--profile", profile], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        port_file = os.path.join(profile, "MarionetteActivePort")
        for _ in range(600):
            if os.path.exists(port_file) and open(port_file).read().strip():
                break
            time.sleep(0.1)
        browser = Marionette(int(open(port_file).read()))
        browser.call("WebDriver:NewSession", {})
        for scale in scales:
            browser.call("Marionette:SetContext", {"value": "chrome"})
            browser.call("WebDriver:ExecuteScript", {
                "script": "Services.prefs.setStringPref('layout.css.devPixelsPerPx', arguments[0]);",
                "args": [scale]})
            browser.call("Marionette:SetContext", {"value": "content"})
            browser.call("WebDriver:SetWindowRect", {"width": width, "height": 600})
            browser.call("WebDriver:Navigate", {"url": url})
            shot = browser.call("WebDriver:TakeScreenshot", {"full": True})["value"]
            with open(os.path.join(out, f"firefox-{scale}.png"), "wb") as png:
                png.write(base64.b64decode(shot))
        browser.call("WebDriver:DeleteSession", {})
    finally:
        firefox.kill()
        firefox.wait()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
