#!/usr/bin/python3
"""The real quillo as a screen reader or a switch-access user meets it, over
the accessibility bus (AT-SPI, through pyatspi): the roles and names of the
controls, typing a formula and pressing "=", an error box that does not hold
up the press, and the shop link opened by its action.

    accessibility_client.py QUILLO WORKDIR

Runs inside a private session bus (dbus-run-session). WORKDIR holds the
stand-in browser's record ("opened") and receives "pids", the bus processes
that this run started, for the caller to see ended.
"""
import atexit
import ctypes
import os
import signal
import subprocess
import sys
import time
import warnings

warnings.simplefilter("ignore", DeprecationWarning)
import pyatspi  # noqa: E402
from gi.repository import Gio, GLib  # noqa: E402

QUILLO, WORKDIR = sys.argv[1], sys.argv[2]
TITLE = "Quillo-按Enter可计算"
SHOP = "https://www.taobao.com/"
SEPARATOR = "－" * 17
fails = []


def fail(what):
    print("FAIL: " + what, flush=True)
    fails.append(what)


def wait_for(condition, seconds=10):
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def actions(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def text(acc):
    return acc.queryText().getText(0, -1)


def do(acc, name):
    """Does the named action; returns (its result, the seconds the call took)."""
    if name not in actions(acc):
        fail(f"{acc.name} has no action {name}")
        return False, 0.0
    action = acc.queryAction()
    index = [action.getName(i) for i in range(action.nActions)].index(name)
    start = time.monotonic()
    try:
        done = action.doAction(index)
    except GLib.GError as error:  # no reply in time
        fail(f"{acc.name}: {name}: {error.message}")
        done = False
    return done, time.monotonic() - start


def bus_processes():
    """The accessibility bus launcher that the session bus started, and what it started."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    reply = session.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), None, 0, 5000, None)
    pids = [reply.unpack()[0]]
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    parents[int(entry)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                pass
    for pid in pids:  # grows while it is walked
        pids += [child for child, parent in parents.items() if parent == pid]
    return pids


def send_delete_window(window):
    """Asks the window to close, as a window manager does (WM_DELETE_WINDOW)."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(None)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XCloseDisplay(display)  # sends it


def give_up(*_):
    print("FAIL: no end after 45 s", flush=True)
    sys.exit(1)  # quillo is ended on the way out, then the buses with their session


signal.signal(signal.SIGALRM, give_up)
signal.alarm(45)
log_path = os.path.join(WORKDIR, "quillo.log")
quillo = subprocess.Popen([QUILLO], stdout=subprocess.DEVNULL, stderr=open(log_path, "w"))
atexit.register(lambda: quillo.poll() is None and quillo.kill())  # also when this script fails


def finish():
    if quillo.poll() is None:
        quillo.kill()
        quillo.wait()
    if fails:
        with open(log_path) as log:
            sys.stdout.write("quillo's messages:\n" + log.read())
        sys.exit(1)
    print("quillo over the accessibility bus: all checks passed")
    sys.exit(0)


def application():
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == quillo.pid and app.childCount > 0:
            return app
    return None


app = wait_for(application, 20)
if app is None:
    fail("quillo did not appear on the accessibility bus")
    finish()
# Xvfb has no window manager to make the window active, as a desktop does.
window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^" + TITLE],
                        capture_output=True, text=True, timeout=10).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=10)
window = int(window)
with open(os.path.join(WORKDIR, "pids"), "w") as record:
    record.write(" ".join(map(str, bus_processes())) + "\n")

# The window: a frame, and in it each control by role and name; the twin "="
# behind the real one is not there.
frame = children(app)[0]
if frame.getRoleName() != "frame" or not frame.name.startswith(TITLE):
    fail(f"the window is a {frame.getRoleName()} named {frame.name!r}")
expected = {  # name: role, description, actions
    "公式": ("text", "输入公式，按 Enter 计算", ["SetFocus"]),
    "计算结果": ("text", "双击复制结果", ["SetFocus"]),
    "计算历史": ("text", "以往的计算，最新的在最上面", ["SetFocus"]),
    "等号：计算": ("push button", "单击计算公式，与 Enter 相同", ["Press"]),
    "可用函数列表标题": ("label", "", []),
    "可用函数列表": ("list", "双击或按 Enter 把函数插入公式", []),
    "去淘宝网逛逛": ("link", "在浏览器中打开淘宝网", ["jump"]),
}
controls = {}
for index, child in enumerate(children(frame)):
    found = (child.getRoleName(), child.description, actions(child))
    if child.name not in expected:
        fail(f"unexpected {found[0]} {child.name!r} in the window")
    elif found != expected[child.name]:
        fail(f"{child.name}: {found}, expected {expected[child.name]}")
    if child.getIndexInParent() != index:
        fail(f"{child.name}: index in parent {child.getIndexInParent()}, listed at {index}")
    controls[child.name] = child
for name in expected.keys() - controls.keys():
    fail(f"{name} is missing")
if set(expected) != set(controls):
    finish()
formula, result, history = controls["公式"], controls["计算结果"], controls["计算历史"]
equals, link = controls["等号：计算"], controls["去淘宝网逛逛"]
if controls["可用函数列表"].childCount != 12:
    fail(f"the function list has {controls['可用函数列表'].childCount} entries")
for label in (equals, link):
    if label.getState().contains(pyatspi.STATE_FOCUSABLE):
        fail(f"{label.name} takes the focus")
    description = label.queryAction().getDescription(0)
    if not any("\u4e00" <= c <= "\u9fff" for c in description):
        fail(f"{label.name}: its action is described as {description!r}, not in Chinese")


def formula_has_focus():
    return formula.getState().contains(pyatspi.STATE_FOCUSED)


if not wait_for(formula_has_focus):
    fail("the formula box does not have the focus at start")


# A formula written through the text interface, then "=".
sum_formula = "2*sin(30)+(1+2)^2"
history.queryComponent().grabFocus()  # the press must bring the focus back
if not wait_for(lambda: history.getState().contains(pyatspi.STATE_FOCUSED)):
    fail("the history box did not take the focus")
formula.queryEditableText().setTextContents(sum_formula)
done, _ = do(equals, "Press")
if not done:
    fail("the press action reported failure")
sum_result = " 7.02393675181428"
if wait_for(lambda: text(result) == sum_result) != True:
    fail(f"result box holds {text(result)!r} after the press, expected {sum_result!r}")
entry = f"{SEPARATOR}\n{sum_result} = {sum_formula}\n"
if text(history) != entry:
    fail(f"history holds {text(history)!r}, expected {entry!r}")
if not wait_for(formula_has_focus):
    fail("the formula box did not get the focus back after the press")

# A bad formula: the press returns at once, while the error box that it brings
# up stays open until it is closed, here through its button's action too.
formula.queryEditableText().setTextContents("1+")
done, seconds = do(equals, "Press")
if not done or seconds > 2.0:
    fail(f"the press on a bad formula returned {done} after {seconds:.2f} s")


def is_error_box(window):
    try:
        return window.getRoleName() in ("alert", "dialog") and window.name == "错误提示"
    except GLib.GError:  # closed while we looked
        return False


def error_box():
    app.clearCache()
    return next((w for w in children(app) if w is not None and is_error_box(w)), None)


box = wait_for(error_box)
if box is None:
    fail("no error box after the press on a bad formula: " +
         repr([(w.getRoleName(), w.name) for w in children(app)]))
else:
    buttons = [c for c in pyatspi.findAllDescendants(box, lambda a: a.getRoleName() == "push button")]
    if len(buttons) != 1:
        fail(f"the error box has {len(buttons)} buttons")
    else:
        do(buttons[0], "Press")
        if not wait_for(lambda: error_box() is None):
            fail("the error box did not close through its button")
if text(result) != sum_result or text(history) != entry:
    fail(f"a rejected formula changed result {text(result)!r} or history {text(history)!r}")

# The link's action opens the shop in the browser, here the stand-in.
opened = os.path.join(WORKDIR, "opened")
done, _ = do(link, "jump")
if not done:
    fail("the link's action reported failure")


def browser_record():
    try:
        with open(opened) as record:
            return record.read()
    except OSError:
        return ""


if wait_for(browser_record) != SHOP + "\n":
    fail(f"the browser was given {browser_record()!r}, expected {SHOP!r}")

# Closed as a window manager closes it: the program ends cleanly (in the
# sanitizer build that includes its leak check).
send_delete_window(window)
try:
    status = quillo.wait(timeout=20)
    if status != 0:
        fail(f"quillo ended with status {status}")
except subprocess.TimeoutExpired:
    fail("quillo did not end when its window was closed")
finish()
