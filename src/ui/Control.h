// Small tools for windows built from templates.
#pragma once

#include <wx/window.h>

#include <cstdio>
#include <cstdlib>
#include <typeinfo>

// The control of that id among parent's descendants, checked to be a T: a
// template and code that no longer agree stop the program at once, with the
// id, instead of letting a wrong cast corrupt memory later.
template <class T> T* Control(const wxWindow* parent, int id)
{
    T* control = dynamic_cast<T*>(parent->FindWindow(id));
    if (!control) {
        std::fprintf(stderr, "velloran: control %d is missing or not a %s\n", id, typeid(T).name());
        std::abort();
    }
    return control;
}

// Raises a flag for its lifetime, as the pages do while they fill their own
// controls, so that the change events this causes are told apart.
class CScopedFlag
{
public:
    explicit CScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    CScopedFlag(const CScopedFlag&) = delete;
    CScopedFlag& operator=(const CScopedFlag&) = delete;
    ~CScopedFlag() { m_flag = false; }

private:
    bool& m_flag;
};
