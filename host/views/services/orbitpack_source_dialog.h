#pragma once
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "host/services/orbitpack_source.h"
#include "shared/page_listener.h"

class CMessageFormPage;

// The Orbitpack update's source prompt (template IDD_LINK_PROMPT) on its template: the five
// downloads in an editable list, or a link or a file typed in or browsed to. Ok takes the text,
// resolves it and keeps it as "Link"; the browse button starts at "Dir" and keeps the file
// chosen there.
class OrbitpackSourceDialog : public QDialog, private IPageListener {
public:
    // The file chosen, starting from a path; nothing when the user cancels.
    using BrowseFn = std::function<std::optional<std::u16string>(QWidget* parent, const std::u16string& start)>;

    OrbitpackSourceDialog(const OrbitpackSettings& settings, QWidget* parent, BrowseFn browse = BrowseForOrbitpack);

    // As entered, once confirmed, with the settings to store.
    const std::u16string& Text() const { return settings.link; }
    const std::u16string& Source() const { return source; }
    const OrbitpackSettings& Settings() const { return settings; }
    CMessageFormPage& Page() const { return *page; }

    void accept() override;
    void Browse();

    // The file dialog: must exist, no read-only box, "Orbitpack (*.opk)" or all files.
    static std::optional<std::u16string> BrowseForOrbitpack(QWidget* parent, const std::u16string& start);

private:
    void OnControlChanged(int controlId) override;
    void Initialise();

    OrbitpackSettings settings;
    std::u16string source;
    BrowseFn browse;
    CMessageFormPage* page;
};
