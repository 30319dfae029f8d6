#include "app/Diagnostics.h"
#include "app/FormHidden.h"
#include "app/Program.h"
#include "render/GraphicsWin32.h"

LRESULT CFormHidden::OnDiagnostics(WPARAM query, LPARAM city) const {
    try {
        switch (static_cast<DiagnosticsQuery>(query)) {
        case DiagnosticsQuery::GraphicsObjects:
            return LiveGraphicsObjects();
        case DiagnosticsQuery::BatchesFinished:
            return BatchesFinished;
        default:
            return static_cast<LRESULT>(
                AnswerCityDiagnostics(Program::Options(), static_cast<DiagnosticsQuery>(query), city));
        }
    } catch (...) {
        // No live options (the screen saver's start, the exit): nothing to tell.
        return static_cast<LRESULT>(NoDiagnosticsAnswer);
    }
}
