"""The W3C WebDriver pointer actions that Firefox's BiDi and WebKit's
classic WebDriver both take."""


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
