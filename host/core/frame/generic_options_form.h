#pragma once
#include <string>
#include <vector>

#include "host/core/frame/generic_options.h"

class CDialogPage;

// The Preferences' page "Generic" (template 2096) without widgets, on whichever realisation of
// its page the front end has: the options it shows, the spins and the duration text that follow
// what the user types, and the options it reads back.
class CGenericOptionsForm {
public:
    explicit CGenericOptionsForm(CDialogPage& page) : page(page) {}

    // The spins' ranges, the devices each port may be given (after "automatic"), then the options.
    void Initialise(const GenericOptions& options, const std::vector<std::string>& devices);
    // The user changed a control.
    void OnControlChanged(int controlId);
    bool IsModified() const { return modified; }
    // The page into options: 0, or the first control whose text cannot be taken (a port count or
    // a history size that is no number, a history size outside its range), in which case options
    // are left as they were. A port count outside 1 … 9 is taken as the nearest bound.
    int Read(GenericOptions& options) const;

private:
    void ShowDuration();
    // The spin follows its edit while the edit holds a number.
    void FollowEdit(int editId, int spinId);

    CDialogPage& page;
    bool modified = false;
};
