#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QWidget;

// One filter a dictionary view offers. Query-side filters (Requery) are applied by the entity's refresh function;
// the others by the view to the rows it already holds.
struct TFilter {
    enum Kinds { KindNone = 0, KindText = 1, KindDate = 2 };

    bool Active = false;   // on, with its bar shown
    bool Removable = false; // the operator may switch it off
    bool InMenu = true;    // offered in the view's filters menu
    bool Requery = false;  // applied by the entity's query rather than by the view
    int ImageIndex = 0;
    int Kind = KindNone;
    QString Name;      // the entity finds its query-side filters by it
    QString Caption;   // menu item and bar label
    QString FieldName; // the column a text filter looks in
    QVariant Value;    // the text or date entered on the bar
    QWidget* Bar = nullptr;        // set by the view while the filter is active
    QAction* MenuItem = nullptr;   // set by the view when it builds its menu

    // A text filter lets a row pass when its text is empty or occurs in the row's column, letter case aside.
    bool Passes(const QString& columnText) const {
        const QString text = Value.toString();
        return text.isEmpty() || columnText.toUpper().contains(text.toUpper());
    }
};

using TFilterList = std::vector<std::unique_ptr<TFilter>>;

// Whether a row passes every active text filter that the view applies; columnText gives the row's column by name.
inline bool PassesLocalFilters(const TFilterList& filters, const std::function<QString(const QString&)>& columnText) {
    for (const auto& filter : filters)
        if (filter->Active && !filter->Requery && filter->Kind == TFilter::KindText &&
            !filter->Passes(columnText(filter->FieldName)))
            return false;
    return true;
}
