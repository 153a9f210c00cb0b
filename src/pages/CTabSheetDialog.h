// One parameter page: built from its layout, it hands every control notification to the parameter
// dispatcher and every key press to the main window's key filter.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class CParameterDispatcher;
class QGroupBox;
class QKeyEvent;
struct ControlNotification;

class CTabSheetDialog : public QWidget {
    Q_OBJECT

public:
    // The owner adds the page to its page binding, which finds controls by id across the pages.
    CTabSheetDialog(QWidget* parent, int templateId, std::string caption, int factoryOnly);
    ~CTabSheetDialog() override;

    int TemplateId() const { return templateId_; }
    const std::string& Caption() const { return caption_; }
    int FactoryOnly() const { return factoryOnly_; }

    // Builds the page's controls from its layout under `tabParent` (the tab control's page area), then
    // runs OnInitDialog. Gives 0 when no layout has this template id.
    int Create(QWidget* tabParent);
    bool IsCreated() const { return created_; }
    // Stores each spin's control id in its buddy edit's user data: how an edit finds its spin.
    void OnInitDialog();

    void SetDispatcher(CParameterDispatcher* dispatcher) { dispatcher_ = dispatcher; }
    // Gets every key pressed on the page's controls first; giving true swallows the key.
    using KeyFilter = std::function<bool(QWidget* target, QKeyEvent* event)>;
    void SetKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

    // The page's control with this id (labels with an id included); nullptr if it has none.
    QWidget* Control(int controlId) const;
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    // Shows or hides a control with its spin; its labels and group boxes follow (see PageBinding::ShowControl).
    int ShowControl(int controlId, bool show);

    // Used by the page builder.
    void AddControl(int controlId, QWidget* control);
    void TieRow(std::vector<QWidget*> companions, std::vector<QWidget*> controls);
    void TieGroup(QGroupBox* group, std::vector<QWidget*> controls);
    // A page column shows while any of its group boxes does, so a model without its groups leaves no gap.
    void TieColumn(QWidget* column, std::vector<QWidget*> groups);
    void ConnectControl(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Notify(const ControlNotification& notification);
    void UpdateCompanions();

    struct RowTie {
        std::vector<QPointer<QWidget>> companions;
        std::vector<QPointer<QWidget>> controls;
    };
    struct GroupTie {
        QPointer<QGroupBox> group;
        std::vector<QPointer<QWidget>> controls;
    };

    int templateId_;
    std::string caption_;
    int factoryOnly_;
    bool created_ = false;
    CParameterDispatcher* dispatcher_ = nullptr;
    KeyFilter keyFilter_;
    std::map<int, QPointer<QWidget>> controls_;
    std::vector<RowTie> rows_;
    std::vector<GroupTie> groups_;  // inner groups before the groups that hold them
    std::vector<RowTie> columns_;  // companions: the column; controls: its group boxes
    std::vector<QPointer<QWidget>> forcedHidden_;  // labels hidden by their own id
};
