#include "platform/FileReveal.h"

#include <utility>

namespace velk
{
namespace
{
    FileReveal::Handler& replacement()
    {
        static FileReveal::Handler handler;
        return handler;
    }
} // namespace

void FileReveal::reveal (const juce::File& target)
{
    if (const auto& handler = replacement())
        handler (target);
    else
        target.revealToUser();
}

FileReveal::ScopedHandler::ScopedHandler (Handler handler)
    : previous (std::exchange (replacement(), std::move (handler)))
{
}

FileReveal::ScopedHandler::~ScopedHandler()
{
    replacement() = std::move (previous);
}
} // namespace velk
