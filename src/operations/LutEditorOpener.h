// What "Open LUT Table" asks for: the LUT editor, which lives in the dialogs above this layer.
#pragma once

class LutEditorOpener {
public:
    virtual ~LutEditorOpener() = default;
    virtual void OpenLutEditor() = 0;
};
