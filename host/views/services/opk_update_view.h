#pragma once
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "host/services/orbitpack_update.h"
#include "host/views/text/progress_view.h"

// The Orbitpack update in a progress view: the source asked while the view is created, then the
// procedure driven by a 100 ms timer and the receiver's answers, each event posted as the old
// window message was, its log lines in the view. Green when it went well, and making way for
// the SV summary 5 s later; red, and staying with its log, when not.
class COPKUpdateView : public CProgressView, private IOrbitpackSite {
public:
    // The resolved source, or empty when the user cancelled; the stored settings as it goes.
    using SourcePrompt = std::function<std::u16string(platform::CProfile& profile, QWidget* parent)>;

    explicit COPKUpdateView(SourcePrompt prompt = AskOrbitpackSource);
    ~COPKUpdateView() override;

    bool OnCreate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    void OnCommand(unsigned command) override;

    // Null until created.
    const COrbitpackUpdate* Update() const { return update.get(); }

    // The source prompt (OrbitpackSourceDialog), its text kept as "Link".
    static std::u16string AskOrbitpackSource(platform::CProfile& profile, QWidget* parent);

private:
    // WM_USER + 1: the event is handled once the caller has returned.
    void Post(OrbitpackEvent event);
    void Handle(OrbitpackEvent event);

    void Append(const std::u16string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgressPosition(int position) override;
    void OnStarted() override { SetFinished(false); }
    void OnEnded(bool failed) override;
    bool ReadyToSend() const override;
    bool Send(const uint8_t* frame, int length) override;
    void OnFinished() override { CProgressView::OnFinished(); }

    SourcePrompt prompt;
    std::unique_ptr<COrbitpackUpdate> update;
    QTimer timer;
};
