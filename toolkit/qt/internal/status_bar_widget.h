// The status bar: a strip along the bottom of a client area, split into fields whose
// right edges follow the fixed / automatic widths the program asked for.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QSizeGrip>

#include <string_view>
#include <vector>

namespace toolkit {

class StatusBarWidget : public QFrame {
    Q_OBJECT
  public:
    static constexpr int MaxFields = 256;
    static constexpr int MinHeight = 18;

    explicit StatusBarWidget(QWidget* client);

    void AddField(int width);
    // Text and look of one field; an index without a field is ignored.
    void SetFieldText(int index, const QString& text, unsigned options);
    // Follows the client area's width and the window's state.
    void Place();

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    QLabel* Field(int index) const;
    std::vector<int> RightEdges() const;

  private:
    int UsableWidth() const;
    void PlaceFields();

    std::vector<int> widths_;
    std::vector<QLabel*> fields_;
    // The options each field was last given; NoOptionsYet before the first text.
    static constexpr unsigned NoOptionsYet = ~0u;
    std::vector<unsigned> options_;
    QSizeGrip* grip_;
};

} // namespace toolkit
