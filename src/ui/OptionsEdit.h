#pragma once
#include "core/CPtr.h"
#include "data/Options.h"

// The options dialog's edit: a private copy of the live options that every control changes at
// once. OK hands it over, Cancel drops it; the live options see nothing of it before that.
class COptionsEdit {
public:
    // A fresh copy of the live options replaces any copy being edited.
    void Begin(const COptions& live);
    bool IsEditing() const { return !workingCopy_.IsEmpty(); }
    // Throws the CPtr error when nothing is being edited.
    COptions& WorkingCopy() { return *workingCopy_; }
    // Drops the copy; nothing is written.
    void Discard() { workingCopy_ = nullptr; }

    // The desktop program's OK: the copy takes over the weather downloaded into the live options
    // meanwhile, becomes the live options (the old object goes) and is saved. Answers the save's
    // result; the copy is live either way.
    bool AcceptInto(CPtr<COptions>& live);
    // The screen saver's configuration: only the file is written; the copy is dropped.
    bool SaveAndEnd();

private:
    CPtr<COptions> workingCopy_;
};
