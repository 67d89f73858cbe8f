#!/usr/bin/python3
"""marionette.py URL OUT_DIR WIDTH SCALE...: OUT_DIR/firefox-esr-SCALE.png, the page in device pixels
at each ratio, through Firefox's remote protocol (length-prefixed JSON over TCP), one browser."""
import base64, json, os, shutil, socket, subprocess, sys, tempfile, time

url, out, width, scales = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
profile = tempfile.mkdtemp(prefix="tesselet-firefox-")
with open(os.path.join(profile, "user.js"), "w") as prefs:
    prefs.write('user_pref("marionette.port", 0);\n')  # any free port, told in a file
firefox = subprocess.Popen(["firefox-esr", "--headless", "--marionette", "--no-remote",
                            "--remote-allow-system-access", "--profile", profile],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    port = os.path.join(profile, "MarionetteActivePort")
    for _ in range(600):
        if os.path.exists(port) and open(port).read().strip():
            break
        time.sleep(0.1)
    connection = socket.create_connection(("127.0.0.1", int(open(port).read())), timeout=60)
    stream, ids = connection.makefile("rb"), iter(range(1, 1000))

    def read():  # an empty read is a closed connection, which int() refuses
        return json.loads(stream.read(int(b"".join(iter(lambda: stream.read(1) or b":", b":")))))

    def call(name, parameters):
        message = json.dumps([0, next(ids), name, parameters]).encode()
        connection.sendall(b"%d:%s" % (len(message), message))
        _, _, error, result = read()
        if error:
            raise RuntimeError(f"{name}: {error}")
        return result

    read()  # the greeting
    call("WebDriver:NewSession", {})
    for scale in scales:
        call("Marionette:SetContext", {"value": "chrome"})
        call("WebDriver:ExecuteScript", {"args": [scale], "script":
             "Services.prefs.setStringPref('layout.css.devPixelsPerPx', arguments[0]);"})
        call("Marionette:SetContext", {"value": "content"})
        call("WebDriver:SetWindowRect", {"width": width, "height": 600})
        call("WebDriver:Navigate", {"url": url})
        with open(os.path.join(out, f"firefox-esr-{scale}.png"), "wb") as png:
            png.write(base64.b64decode(call("WebDriver:TakeScreenshot", {"full": True})["value"]))
finally:
    firefox.kill()
    firefox.wait()
    shutil.rmtree(profile, ignore_errors=True)
