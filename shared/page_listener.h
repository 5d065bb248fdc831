#pragma once

// Told when the user changed a control of a page: typed into an edit that is not read-only,
// clicked a button, chose or typed in a combo box, changed a list box's selection.
class IPageListener {
public:
    virtual ~IPageListener() = default;
    virtual void OnControlChanged(int controlId) = 0;
};
