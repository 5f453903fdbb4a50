#pragma once
// The item delegate of a list whose rows carry check boxes: a left click anywhere on a row
// toggles its check box, not only a click on the box itself, so that a row's text is as good
// a target as the box beside it. Everything else is the styled delegate's.
#include <QStyledItemDelegate>

class RowCheckDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};
