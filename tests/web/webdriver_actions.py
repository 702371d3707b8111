"""The W3C WebDriver actions that Firefox's BiDi and WebKit's classic
WebDriver both take: keys and pointers."""

# WebDriver's values for the keys the page driver names.
KEY_VALUES = {"Tab": "\ue004", "space": " ", "Escape": "\ue00c"}
SHIFT = "\ue008"


def key_steps(name, shift):
    """A key's press and release, with Shift held around them or not."""
    value = KEY_VALUES.get(name, name)
    steps = [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]
    if shift:
        steps = [{"type": "keyDown", "value": SHIFT}] + steps + [{"type": "keyUp", "value": SHIFT}]
    return steps


def pointer_steps(held, source, action, x, y, button):
    """The steps of one pointer's press, release or move at (x, y). A
    WebDriver pointer keeps its place and its buttons from one call to the
    next, and a release is where the pointer is, so one elsewhere moves
    there first; held remembers where each pointer is."""
    steps = []
    if action != "up" or held.get(source) != (x, y):
        steps.append({"type": "pointerMove", "x": x, "y": y, "origin": "viewport"})
    if action != "move":
        steps.append({"type": "pointerDown" if action == "down" else "pointerUp", "button": button})
    held[source] = (x, y)
    return steps
