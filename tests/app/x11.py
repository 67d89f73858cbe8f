#!/usr/bin/env python3
"""The real window under a virtual X server of its own, driven as a user drives it:
  x11.py PROGRAM CONVERTER window          it starts, shows "Tesselet", outlives an unmap; Esc ends it
  x11.py PROGRAM CONVERTER scenario ru|en  load, hold the picture by mouse, Space (let go under keys)
  x11.py PROGRAM CONVERTER flash FACTOR    the held picture at that scale: exactly its pixels
  x11.py PROGRAM CONVERTER close           the window destroyed or killed in a save: the program ends
  x11.py PROGRAM CONVERTER limit           a save past the file-size limit is told, no part of it left"""
import os, resource, select, struct, subprocess, sys, tempfile, time, zlib

program, converter, mode, argument = sys.argv[1:] + [""] * (4 - len(sys.argv[1:]))
work = tempfile.mkdtemp()
env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR=work, QT_QPA_PLATFORM="xcb",
           LANG={"ru": "ru_RU.UTF-8", "en": "en_US.UTF-8"}.get(argument, "C.UTF-8"),
           QT_SCALE_FACTOR=argument if mode == "flash" else "1")
for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE", "XAUTHORITY", "QT_SCREEN_SCALE_FACTORS"):
    env.pop(name, None)
open_title, save_title = ("Open", "Save As") if argument == "en" else ("Открыть", "Сохранить как")
W, H = 37, 23  # odd sides: no logical size gives them at a double scale
picture = work + "/picture.png"

fail = lambda why: sys.exit("FAILED (%s %s): %s" % (mode, argument, why))
colour = lambda x, y: ((x * 6 + 7) & 255, (y * 10 + 3) & 255, ((x ^ y) * 5 + 90) & 255)
chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data +
                            struct.pack(">I", zlib.crc32(kind + data)))

def wait(what, check, seconds=30):
    end = time.monotonic() + seconds
    while not (got := check()) and time.monotonic() < end:
        time.sleep(0.1)
    return got or (what and fail(what))

def xdo(*args):
    return subprocess.run(("xdotool",) + tuple(map(str, args)), env=env, capture_output=True,
                          encoding="utf-8").stdout.split()

def titled(title):  # compared here: xdotool's --name would read the UTF-8 title as Latin-1
    return [id for id in xdo("search", "--onlyvisible", "--name", ".")
            if " ".join(xdo("getwindowname", id)) == title]

window = lambda title: next(iter(titled(title)), None)

def on_screen():
    """Whether the screen's corner holds the picture exactly, the white background right and below."""
    data = b""
    while len(data) < 100:  # a window that goes while it is dumped spoils the dump
        data = subprocess.run(["xwd", "-root", "-silent"], env=env, capture_output=True).stdout
    f = struct.unpack(">25I", data[:100])
    def at(x, y):
        i = f[0] + f[19] * 12 + y * f[12] + x * f[11] // 8
        value = int.from_bytes(data[i:i + f[11] // 8], "big" if f[7] else "little")
        return tuple((value & m) >> ((m & -m).bit_length() - 1) for m in f[14:17])
    edge = [(W, y) for y in range(H + 1)] + [(x, H) for x in range(W)]
    return (all(at(x, y) == colour(x, y) for y in range(H) for x in range(W)) and
            all(at(x, y) == (255, 255, 255) for x, y in edge))

def choose(title, path):
    xdo("windowfocus", "--sync", wait('no dialog "%s"' % title, lambda: window(title)),
        "key", "--clearmodifiers", "ctrl+a", "type", "--delay", 10, path)
    for _ in range(4):  # the name's completion list may take an Enter
        xdo("key", "Return")
        if wait(None, lambda: not window(title), 3):
            return
    fail('the dialog "%s" did not take %s' % (title, path))

def point(main, button, *then):
    geometry = dict(line.split("=") for line in xdo("getwindowgeometry", "--shell", main))
    x, y, width, height = (int(geometry[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
    # A column of five buttons, 600 of the window's 3135 units apart.
    xdo("windowfocus", "--sync", main, "mousemove", "--sync", x + width // 2,
        y + round(height * (367.5 + 600 * button) / 3135), *then)

def run(main):
    point(main, 0, "click", 1)
    choose(open_title, picture)
    point(main, 1)
    for _ in range(20):  # the show button is enabled once the picture has loaded
        xdo("mousedown", 1)
        held = wait(None, on_screen, 1)
        xdo("mouseup", 1)
        if held:
            break
    if not held or mode == "flash":
        return held or fail("the picture is not on the screen while the mouse holds it")
    wait("the picture stays after the mouse let go", lambda: not on_screen())
    # Pressed during the hold and let go after Space; Tab moves the focus on, the release still ends it.
    for key in ("shift", "ctrl", "alt", "Tab"):
        xdo("keydown", "space")
        wait("the picture is not on the screen while Space is held", on_screen)
        xdo("keydown", key, "keyup", "space", "keyup", key)
        wait("the picture stays after Space was released under " + key, lambda: not on_screen())

def start_save(main):  # the picture loaded, the TABLE button's save dialog
    point(main, 0, "click", 1)
    choose(open_title, picture)
    while not (dialog := wait(None, lambda: window(save_title), 1)):  # enabled once it has loaded
        point(main, 3, "click", 1)
    return dialog

def close_during_save(how):  # xdotool's windowclose destroys the window, windowkill kills it
    global app
    app = subprocess.Popen([program], env=env)
    main = wait("no window titled Tesselet", lambda: window("Tesselet"))
    os.mkfifo(pipe := "%s/%s.table.htm" % (work, how))
    dialog = start_save(main)
    xdo("windowfocus", "--sync", dialog, "key", "--clearmodifiers", "ctrl+a", "type", "--delay", 10,
        pipe)
    xdo("key", "Return")
    # The pipe exists: the dialog asks whether to replace it, No focused; Tab goes to Yes.
    replace = wait("no question", lambda: [id for id in titled(save_title) if id != dialog] or None)
    xdo("windowfocus", "--sync", replace[0], "key", "Tab", "key", "Return")
    wait("no progress dialog", lambda: [id for id in titled("Tesselet") if id != main] or None)
    xdo("window" + how, main)
    if how == "close":  # killed, it has no connection left to say anything on
        with open(pipe, "rb") as page:
            if page.read() != open(work + "/picture.table.htm", "rb").read():
                fail("the page written after the window was destroyed differs")
        xdo("windowfocus", "--sync", wait("no message", lambda: window("Korvane - Tesselet")),
            "key", "Return")
    if not wait(None, lambda: app.poll() is not None, 10):
        fail("the program lives on after xdotool's window%s during a save" % how)

def save_over_limit(main):  # SIGXFSZ, were it not ignored, would end the program here
    start_save(main)
    choose(save_title, work + "/over.htm")
    xdo("windowfocus", "--sync", wait("no message", lambda: window("Korvane - Tesselet")),
        "key", "Return")
    [name for name in os.listdir(work) if "over.htm" in name] and fail("a part of the page is left")

rows = b"".join(b"\0" + bytes(c for x in range(W) for c in colour(x, y)) for y in range(H))
with open(picture, "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0)) +
              chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
subprocess.run([converter, "-q", "--style", "table", "--out-dir", work, picture], env=env, check=True)
# -displayfd: the server takes a display number no other holds and says which once it listens.
reader, writer = os.pipe()
server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1600x1200x24", "-wr",
                           "-nolisten", "tcp", "-noreset"], pass_fds=[writer], stderr=subprocess.DEVNULL)
os.close(writer)
app = None
try:
    if not select.select([reader], [], [], 60)[0]:
        fail("the virtual X server did not start")
    env["DISPLAY"] = ":" + os.read(reader, 16).decode().strip()
    wait("no X server", lambda: not subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode)
    if mode == "close":
        for how in ("close", "kill"):
            close_during_save(how)
    else:
        limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (4096, 4096))
        app = subprocess.Popen([program], env=env, preexec_fn=limit if mode == "limit" else None)
        main = wait("no window titled Tesselet", lambda: window("Tesselet"))
        if mode == "window":  # unmapped and mapped again, as in a minimize, it stays
            xdo("windowunmap", "--sync", main, "windowmap", "--sync", main)
            wait(None, lambda: app.poll() is not None, 2) and fail("it ended when unmapped")
        elif mode == "limit":
            save_over_limit(main)
        else:
            run(main)
        if mode != "flash":
            xdo("windowfocus", "--sync", main, "key", "Escape")
            if wait("Esc did not end the program", lambda: app.poll() is not None) and app.returncode:
                fail("the program ended with status %d" % app.returncode)
        store = work + "/Korvane/Tesselet.conf"  # where earlier versions kept it too
        if mode == "scenario" and "Source%20Picture=" + work not in open(store).read():
            fail("the folder of the picture opened is not remembered in " + store)
    print("passed (%s %s)" % (mode, argument))
finally:
    if app and app.poll() is None:
        app.kill()
    server.kill()
    subprocess.run(["rm", "-rf", work])
