// The modal question which of the camera's flash setting areas a load or a store uses.
#pragma once

#include "framework/qt/CDialogBase.h"

class QComboBox;
class QLabel;

class CParameterAreaSelectDialog : public CDialogBase {
    Q_OBJECT

public:
    // loadFlag not 0: a load ("Factory" always offered); 0: a store ("Factory" only in factory mode).
    CParameterAreaSelectDialog(QWidget* parent, OperatorHosts hosts, int loadFlag, bool factoryMode);

    // After OK: 0 "Factory", 1 "User 1", 2 "User 2", 3 "User 3", -1 for any other entry text (the
    // caller refuses it). Cancel leaves it as it was (-1 from construction).
    int area = -1;

    // The area a list text stands for, -1 for any other text.
    static int AreaOfText(const QString& text);

    QComboBox* AreaList() const { return areaList_; }
    QLabel* Prompt() const { return prompt_; }

    void accept() override;

protected:
    void OnInitDialog() override;

private:
    int loadFlag_;
    bool factoryMode_;
    QLabel* prompt_;
    QComboBox* areaList_;
};
