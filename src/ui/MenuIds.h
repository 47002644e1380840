// wx takes menu item ids below 0x7FFF only; our command ids (32771 and up)
// are stored shifted down by a fixed amount and shifted back in handlers.
#pragma once

constexpr int kMenuIdShift = 30000;

constexpr int ToWxMenuId(int commandId)
{
    return commandId - kMenuIdShift;
}
constexpr int FromWxMenuId(int wxId)
{
    return wxId + kMenuIdShift;
}
