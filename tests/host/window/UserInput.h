#pragma once

#include <memory>
#include <string>

namespace tavelin::test
{
/** A user at the display's mouse and keyboard. The X server makes the events exactly as the
    devices would (XTEST), so they reach whatever window lies under the pointer or holds the
    focus, with the pointer's and the buttons' state that the plug-in may also ask the server
    for. Screen coordinates, which are a HostWindow's own. Each call returns once the server
    has delivered its events; the plug-in reads them at its next idle call.
*/
class UserInput
{
public:
    UserInput();
    ~UserInput();

    UserInput (const UserInput&) = delete;
    UserInput& operator= (const UserInput&) = delete;

    void moveTo (int x, int y);
    void pressButton();
    void releaseButton();

    /** Presses and releases the key of this keysym name ("Down", "Return"). */
    void typeKey (const std::string& keysymName);

private:
    struct Connection;
    std::unique_ptr<Connection> connection;
};
} // namespace tavelin::test
