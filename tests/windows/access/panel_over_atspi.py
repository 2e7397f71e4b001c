"""The panel read over AT-SPI, run by panel_over_atspi.sh inside a session bus of its own.

Starts the accessibility bus and a copy of the player on a movie, then checks what a screen reader
finds: every control of the panel has a role, a spoken name in words (not a glyph) and, for a slider,
a value within its range; the texts read as they show; playing tells the play button's state, the
position's value and the message line's text as they change; every control takes the focus; pressing
"Open video" through its action opens "Locate Video file"; pressing "Exit" ends the run in order.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

LAUNCHER, BINARY, MOVIE = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what, flush=True)


def bus_up():
    """The launcher owns its name on the session bus (asked without starting another one)."""
    reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                            "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                           capture_output=True, text=True)
    return reply.returncode == 0 and "boolean true" in reply.stdout


def wait_for(condition, what, seconds=20, pump=lambda: time.sleep(0.05)):
    """Waits for `condition`, something the player shows, to come true within `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        pump()
    raise SystemExit("TIMED OUT waiting for " + what)


launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"])
wait_for(bus_up, "the accessibility bus")
import pyatspi  # noqa: E402  (it reads the accessibility bus's address as it loads)
from gi.repository import GLib  # noqa: E402


def pump_events():
    """Lets the events the player sends reach the listener, or waits a moment for them."""
    if not GLib.MainContext.default().iteration(False):
        time.sleep(0.02)


# The player keeps its files beside itself and its instance lock in the runtime folder: a copy in a
# folder of its own, with private per-user folders.
home = tempfile.mkdtemp(prefix="vistrel-atspi-")
program = os.path.join(home, "vistrel")
shutil.copy(BINARY, program)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", HOME=home,
           XDG_RUNTIME_DIR=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
           XDG_DATA_HOME=os.path.join(home, "data"))
player = subprocess.Popen([program, MOVIE], env=env, cwd=home)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)] if node else []


def player_app():
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == player.pid:
            return app
    return None


def panel_window():
    for window in children(player_app()):
        if window.getRoleName() == "frame" and window.name == "Vistrel" and window.childCount == 31:
            return window
    return None


def state(node, which):
    node.clearCache()
    return node.getState().contains(which)


def press(node, name="press"):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    if name in names:
        actions.doAction(names.index(name))
    return names


heard = []


def listen(event):
    heard.append((event.type, event.source.name if event.source else None))


def heard_of(kind, name):
    return any(t.startswith(kind) and n == name for t, n in heard)


try:
    panel = wait_for(panel_window, "the panel over the accessibility bus", 60)
    labels = lambda: [node.name for node in children(panel) if node.getRoleName() == "label"]  # noqa: E731
    wait_for(lambda: "VIDEO: " + os.path.basename(MOVIE).upper() in labels(), "the movie's name on the panel")
    # No window manager here: the panel gets the keyboard as one would give it.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(player.pid), "--name", "^Vistrel$",
                    "windowfocus", "--sync"], check=True, timeout=30)
    wait_for(lambda: state(panel, pyatspi.STATE_ACTIVE), "the panel to become active")

    words = re.compile(r"^[A-Z][a-z]+( [A-Za-z][a-z]+)*$")
    controls = {}
    for node in children(panel):
        role, name = node.getRoleName(), node.name
        if role == "label":
            continue
        controls[name] = node
        check(role in ("push button", "toggle button", "slider"), "%r has the role %r" % (name, role))
        check(bool(words.match(name)), "the name %r is not words" % name)
        actions = press(node, None)
        if role == "slider":
            value = node.queryValue()
            check(value.minimumValue < value.maximumValue, "%s reaches from %s to %s"
                  % (name, value.minimumValue, value.maximumValue))
            check(value.minimumValue <= value.currentValue <= value.maximumValue,
                  "%s stands at %s" % (name, value.currentValue))
            check("increase" in actions and "decrease" in actions, "%s can be stepped: %s" % (name, actions))
        else:
            check("press" in actions, "%s can be pressed: %s" % (name, actions))
    check(len(controls) == 24, "24 controls, found %d: %s" % (len(controls), sorted(controls)))
    check(len(labels()) == 7, "7 texts, found %s" % labels())
    # Qt 6.4's bridge has no toggle-button role: a button that toggles is a push button with a toggle
    # action, checked while it is on.
    for name in ("Play", "Mute", "Fullscreen"):
        check("toggle" in press(controls[name], None), name + " toggles")
    rate = controls["Rate"].queryValue()
    check((rate.minimumValue, rate.currentValue, rate.maximumValue) == (-6, 1, 6), "the rate reads 1 of -6 to 6")
    check(abs(controls["Position"].queryValue().maximumValue - 10) < 0.5, "the position reaches the movie's 10 s")

    # Playing: the play button is pressed, the position moves and the message line says so.
    pyatspi.Registry.registerEventListener(listen, "object:state-changed:checked",
                                           "object:property-change:accessible-value",
                                           "object:property-change:accessible-name")
    press(controls["Play"])
    wait_for(lambda: heard_of("object:state-changed:checked", "Play") and state(controls["Play"], pyatspi.STATE_CHECKED),
             "the play button to tell it is pressed", pump=pump_events)
    wait_for(lambda: heard_of("object:property-change:accessible-value", "Position")
             and controls["Position"].queryValue().currentValue > 0.5, "the position to move", pump=pump_events)
    wait_for(lambda: any(t == "object:property-change:accessible-name" and re.match(r"^(Playing|TIME: )", n or "")
                         for t, n in heard), "the message line to tell the movie plays", pump=pump_events)
    press(controls["Play"])
    wait_for(lambda: not state(controls["Play"], pyatspi.STATE_CHECKED), "the play button to come up")
    pyatspi.Registry.deregisterEventListener(listen, "object:state-changed:checked",
                                             "object:property-change:accessible-value",
                                             "object:property-change:accessible-name")

    for name, node in controls.items():
        node.queryComponent().grabFocus()
        wait_for(lambda: state(node, pyatspi.STATE_FOCUSED), name + " to take the focus", 5)

    press(controls["Open video"])
    wait_for(lambda: any(w.name == "Locate Video file" and state(w, pyatspi.STATE_SHOWING)
                         for w in children(player_app())), 'the "Locate Video file" dialog')

    press(controls["Exit"])
    check(player.wait(timeout=30) == 0, "the player ends in order")
    with open(os.path.join(home, "kelmora.log"), encoding="latin-1", newline="") as log:
        check(log.read().endswith("Exiting\r\n"), "the log ends with the orderly exit")
finally:
    if player.poll() is None:
        player.kill()
        player.wait()
    launcher.terminate()
    launcher.wait()
    shutil.rmtree(home, ignore_errors=True)

if failures:
    print("%d check(s) failed" % len(failures))
    sys.exit(1)
print("The panel reads right over the accessibility bus.")
