#pragma once
// The information window on one result row: composed by the main window's
// Show_Row_Info by printing onto the window's surface, with one control of its own, the
// link to the database file the row was read from. The window only shows what it was
// composed with; it never reads the search state itself.
#include "platform/controls.h"

namespace zentrel {

class frm_Main;

class frm_DataInfo final {
public:
    explicit frm_DataInfo(frm_Main& main);

    // Opens the file named by the link's caption, or says that it cannot be found.
    void lab_LinkToFile_Click();
    void Form_Unload();
    // True once the user has closed the window; the next use creates a new one.
    bool closed() const { return closed_; }

    platform::Window frm;
    platform::Label lab_LinkToFile;

private:
    frm_Main& main_;
    bool closed_ = false;
};

} // namespace zentrel
