// What a page needs from the window that holds it (the main window): the
// scheme it edits, the options' check marks, the body code update, and a
// window for its dialogs.
#pragma once

#include "model/Scheme.h"

class wxWindow;

class CPageOwner
{
public:
    virtual Scheme& GetScheme() = 0;
    // The check mark of an option item (ID_OPTION_*).
    virtual bool IsOptionChecked(int menuId) const = 0;
    // Shows the scheme's tag in the preview and the body code box.
    virtual void UpdateBodyCode() = 0;
    // The parent of the pages' dialogs; the eyedropper hides it while it
    // samples the screen.
    virtual wxWindow* GetOwnerWindow() = 0;

protected:
    ~CPageOwner() = default;
};
