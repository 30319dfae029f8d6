#include "app/ProgramWindows.h"

#include "core/ApplicationException.h"
#include "ui/FormEarth.h"
#include "ui/FormScreenSaver.h"
#include "ui/FormScreenSaverPreview.h"

#include <memory>

namespace {
std::unique_ptr<CFormScreenSaver> screenSaver;
std::unique_ptr<CFormScreenSaverPreview> preview;
std::unique_ptr<CFormEarth> earthViewer;

template <class Form> void DestroyForm(std::unique_ptr<Form>& form) {
    if (form) {
        form->Destroy();
        form.reset();
    }
}
} // namespace

namespace ProgramWindows {

void CreateScreenSaver(const char* failureLocation) {
    screenSaver = std::make_unique<CFormScreenSaver>();
    if (!screenSaver->Create()) {
        screenSaver.reset();
        ThrowApplicationException(failureLocation);
    }
}

void CreatePreview(HWND parent, const RECT& bounds, const char* failureLocation) {
    preview = std::make_unique<CFormScreenSaverPreview>();
    if (!preview->Create(parent, bounds)) {
        preview.reset();
        ThrowApplicationException(failureLocation);
    }
    ShowWindow(preview->Handle(), SW_SHOW);
}

void CreateEarthViewer(const char* failureLocation) {
    earthViewer = std::make_unique<CFormEarth>();
    if (!earthViewer->Create()) {
        earthViewer.reset();
        ThrowApplicationException(failureLocation);
    }
}

void ShowEarthViewer() {
    if (earthViewer) {
        earthViewer->ShowViewer();
    }
}

void HideEarthViewer() {
    if (earthViewer) {
        ShowWindow(earthViewer->Handle(), SW_HIDE);
    }
}

void RedrawEarthViewer() {
    if (earthViewer) {
        earthViewer->Redraw();
    }
}

void ShowScreenSaver() {
    if (screenSaver) {
        ShowWindow(screenSaver->Handle(), SW_SHOW);
    }
}

void HideScreenSaver() {
    if (screenSaver) {
        ShowWindow(screenSaver->Handle(), SW_HIDE);
    }
}

void RedrawScreenSaver() {
    if (screenSaver) {
        screenSaver->Redraw();
    }
}

void DestroyAll() {
    DestroyForm(screenSaver);
    DestroyForm(preview);
    DestroyForm(earthViewer);
}

} // namespace ProgramWindows
