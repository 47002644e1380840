// Which context-help id each window and control carries, by the window's
// template and the control's id. Pure data: no window header here.
#pragma once

#include <cstdint>
#include <span>

// The control id that stands for the window itself in the table.
constexpr int kHelpWindowItself = 0;

struct ContextHelpEntry
{
    int templateId; // the dialog template the window is made from
    int controlId;  // kHelpWindowItself for the window
    uint32_t helpId;
};

// Every entry, grouped by window, the window itself first.
std::span<const ContextHelpEntry> GetContextHelpTable();

// 0 when the window or control carries no id (it then shows its window's).
uint32_t FindContextHelpId(int templateId, int controlId);
