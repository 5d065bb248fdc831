#pragma once
#include <QPointer>

#include "host/views/text/read_only_edit_view_ex.h"

class QProgressBar;

// The text log of a long job, with a progress bar in its toolbar. While the job runs, closing the
// view asks first; when it ends, the view makes way for the SV summary unless the user asked to
// keep it open. Derived views run the job, drive the bar and append their messages.
class CProgressView : public CReadOnlyEditViewEx {
public:
    CProgressView();
    ~CProgressView() override;

    QToolBar* CreateViewToolBar(QWidget* parent) override;
    bool CanLeave() override { return CanClose(); }
    // True when no job runs, or when the user agrees to interrupt it.
    bool CanClose();

    bool IsFinished() const { return finished; }
    bool KeepOpen() const { return keepOpen; }
    // Null until the toolbar is created, and after the frame destroyed it.
    QProgressBar* ProgressBar() const;

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

protected:
    // False while the job runs.
    void SetFinished(bool jobFinished);
    // The job has ended: unless kept open, the frame switches to the SV summary, which closes
    // this view once the caller has returned.
    void OnFinished();

private:
    QPointer<QProgressBar> progressBar;
    bool keepOpen = false;
    bool finished = true;
};
