#include "UserInput.h"

#include <stdexcept>

// Last: Xlib defines macros (None, Bool, Status) that other headers also use as names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace tavelin::test
{
struct UserInput::Connection
{
    Connection()
    {
        int ignored = 0;

        if (display != nullptr && XTestQueryExtension (display, &ignored, &ignored, &ignored, &ignored) != 0)
            return;

        if (display != nullptr)
            XCloseDisplay (display);

        throw std::runtime_error ("no display with the XTEST extension");
    }

    ~Connection() { XCloseDisplay (display); }

    Display* display = XOpenDisplay (nullptr);
};

UserInput::UserInput()
    : connection (std::make_unique<Connection>())
{
}

UserInput::~UserInput() = default;

void UserInput::moveTo (int x, int y)
{
    XTestFakeMotionEvent (connection->display, -1, x, y, CurrentTime);
    XSync (connection->display, False);
}

void UserInput::pressButton()
{
    XTestFakeButtonEvent (connection->display, 1, True, CurrentTime);
    XSync (connection->display, False);
}

void UserInput::releaseButton()
{
    XTestFakeButtonEvent (connection->display, 1, False, CurrentTime);
    XSync (connection->display, False);
}

void UserInput::typeKey (const std::string& keysymName)
{
    const auto key = XKeysymToKeycode (connection->display, XStringToKeysym (keysymName.c_str()));

    if (key == 0)
        throw std::invalid_argument ("no key for " + keysymName);

    XTestFakeKeyEvent (connection->display, key, True, CurrentTime);
    XTestFakeKeyEvent (connection->display, key, False, CurrentTime);
    XSync (connection->display, False);
}
} // namespace tavelin::test
