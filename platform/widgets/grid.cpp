#include "platform/widgets/grid.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/control_events.h"
#include "platform/widgets/qt_bridge.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>
#include <QTableView>

#include <algorithm>

namespace platform {

namespace {

Qt::Alignment to_qt_alignment(int alignment)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment >= 3 && alignment <= 5) horizontal = Qt::AlignHCenter;
    if (alignment >= 6 && alignment <= 8) horizontal = Qt::AlignRight;
    Qt::Alignment vertical = Qt::AlignVCenter;
    if (alignment == 0 || alignment == 3 || alignment == 6) vertical = Qt::AlignTop;
    if (alignment == 2 || alignment == 5 || alignment == 8) vertical = Qt::AlignBottom;
    return horizontal | vertical;
}

QFont cell_font(const Grid& grid, const GridCell& cell)
{
    Font font = grid.font();
    if (cell.font_size > 0) font.size = cell.font_size;
    font.underline = cell.underline;
    return qt::to_qfont(font);
}

} // namespace

// The view's picture of the grid: the header row is the view's header, grid rows 1 and
// later are the view's rows 0 and later. It learns of new rows only when the grid hands
// them over, in one batch per display frame.
class GridModel final : public QAbstractTableModel {
public:
    explicit GridModel(Grid& grid) : grid_(grid) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : shown_rows_; }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : Grid::column_count;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() + 1 >= grid_.rows()) return {};
        return cell_data(grid_.cell(index.row() + 1, index.column()), role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= Grid::column_count) return {};
        const GridCell& cell = grid_.cell(0, section);
        return cell_data(cell, role); // the fixed row's cells keep the button colours
    }

    // Brings the view up to date with the grid's rows.
    void hand_over(bool rows_replaced, int first_changed, int last_changed)
    {
        const int wanted = grid_.rows() - 1;
        if (rows_replaced || wanted < shown_rows_) {
            beginResetModel();
            shown_rows_ = wanted;
            endResetModel();
            emit headerDataChanged(Qt::Horizontal, 0, Grid::column_count - 1);
            return;
        }
        if (first_changed == 0) emit headerDataChanged(Qt::Horizontal, 0, Grid::column_count - 1);
        const int first_view_row = std::max(0, first_changed - 1);
        const int last_view_row = std::min(shown_rows_ - 1, last_changed - 1);
        if (first_changed >= 0 && first_view_row <= last_view_row) {
            emit dataChanged(index(first_view_row, 0), index(last_view_row, Grid::column_count - 1));
        }
        if (wanted > shown_rows_) {
            beginInsertRows(QModelIndex(), shown_rows_, wanted - 1);
            shown_rows_ = wanted;
            endInsertRows();
        }
    }

private:
    QVariant cell_data(const GridCell& cell, int role) const
    {
        switch (role) {
        case Qt::DisplayRole: return qt::to_shown_qstring(cell.text);
        case Qt::ForegroundRole: return qt::to_qcolor(cell.fore);
        case Qt::BackgroundRole: return qt::to_qcolor(cell.back);
        case Qt::TextAlignmentRole: return static_cast<int>(to_qt_alignment(cell.alignment));
        case Qt::FontRole: return cell_font(grid_, cell);
        default: return {};
        }
    }

    Grid& grid_;
    int shown_rows_ = 0;
};

// The header row, drawn as the style draws a header section but with its heading given
// the section's whole height: the style's own margins would cut the descenders and the
// underline of the heading's larger font. While the grid holds no row besides it and has
// the focus, the focus frame is drawn around it, as an empty list of the desktop shows
// its focus around itself: the rows' part of an empty grid is too low to show one.
class GridHeader final : public QHeaderView {
public:
    explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QHeaderView::paintEvent(event);
        const QWidget& grid = *parentWidget();
        if (!grid.hasFocus() || model() == nullptr || model()->rowCount() > 0) return;
        QPainter painter(viewport());
        QStyleOptionFocusRect focus;
        focus.initFrom(&grid);
        focus.rect = viewport()->rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &grid);
    }

    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (!rect.isValid()) return;
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logicalIndex);
        option.rect = rect;
        const QString heading = option.text;
        option.text.clear();
        painter->save();
        painter->setBrushOrigin(rect.topLeft());
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();

        const QAbstractItemModel* cells = model();
        const QVariant font = cells->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
        if (font.canConvert<QFont>()) painter->setFont(qvariant_cast<QFont>(font));
        const QVariant colour = cells->headerData(logicalIndex, Qt::Horizontal, Qt::ForegroundRole);
        painter->setPen(colour.canConvert<QColor>() ? qvariant_cast<QColor>(colour)
                                                    : option.palette.color(QPalette::ButtonText));
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
        // The section's bottom line stays clear of the heading.
        const QRect heading_box = rect.adjusted(margin, 0, -margin, -1);
        painter->drawText(heading_box, static_cast<int>(option.textAlignment), heading);
    }
};

class GridView final : public QTableView {
public:
    GridView(QWidget* parent, Grid& grid) : QTableView(parent), grid_(grid)
    {
        setHorizontalHeader(new GridHeader(this));
        setSelectionMode(QAbstractItemView::NoSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        // The grid is one stop of the window's focus order: Tab leaves it.
        setTabKeyNavigation(false);
        setWordWrap(false);
        setTextElideMode(Qt::ElideNone);
        // Sideways by pixels: the handle of the horizontal bar shows how much of the
        // columns is in view and where, for the wide name column too.
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        const int row_pixels = qt::to_pixels(Grid::standard_row_height);
        verticalHeader()->hide();
        verticalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setDefaultSectionSize(row_pixels);
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setHighlightSections(false);
        horizontalHeader()->setSectionsClickable(false);
        horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        horizontalHeader()->setFixedHeight(row_pixels);
        horizontalHeader()->setMinimumSectionSize(1);
        viewport()->installEventFilter(this);
        horizontalHeader()->viewport()->installEventFilter(this);
        horizontalScrollBar()->installEventFilter(this);
        verticalScrollBar()->installEventFilter(this);
        parent->installEventFilter(this);
    }

    // Makes a cell current without moving the view sideways: the code column stays in
    // view whichever cell is pressed.
    void make_current(const QModelIndex& index)
    {
        QScrollBar& sideways = *horizontalScrollBar();
        const int shown_from = sideways.value();
        setCurrentIndex(index);
        sideways.setValue(shown_from);
    }

    // A cell made current (by a key) is brought into view, but sideways no further
    // than its text needs: the name column reaches far beyond its names, and the codes
    // stay in view while the name fits beside them.
    void scrollTo(const QModelIndex& index, ScrollHint hint) override
    {
        QScrollBar& sideways = *horizontalScrollBar();
        const int shown_from = sideways.value();
        QTableView::scrollTo(index, hint);
        if (index.isValid()) sideways.setValue(sideways_offset_showing(index, shown_from));
    }

    // How much taller than its box the grid is drawn: its horizontal scroll bar, while the
    // columns are wider than the view, takes room of its own below the rows, as far as the
    // control around the grid leaves room, keeping as far from that control's bottom edge
    // as the grid keeps from its left edge.
    int room_below(const QRect& box) const
    {
        const int frame = 2 * frameWidth();
        const int rows_height = horizontalHeader()->height() + verticalHeader()->length();
        const bool rows_overflow = rows_height > box.height() - frame;
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());
        const int view_width = box.width() - frame - (rows_overflow ? bar : 0);
        if (horizontalHeader()->length() <= view_width) return 0;
        const int room = parentWidget()->height() - box.left() - box.bottom() - 1;
        return std::clamp(room, 0, bar);
    }

    // Presses on the rows, the header row included, are the grid's own: a left press
    // makes the pressed cell current, and every press goes to the grid's handler. The
    // scroll bars scroll with the left and middle buttons, as scroll bars do; a right
    // press on them is a right press on the grid and opens no menu of the toolkit's own.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget()) {
            if (event->type() == QEvent::Resize) grid_.push_geometry();
            return false;
        }
        const bool is_press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        const bool on_bar = watched == horizontalScrollBar() || watched == verticalScrollBar();
        if (on_bar) {
            if (event->type() == QEvent::ContextMenu) return true;
            if (!is_press || static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) return false;
            hand_over_press(static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
            return true;
        }
        const bool on_header = watched == horizontalHeader()->viewport();
        if (!is_press || (watched != viewport() && !on_header)) return QTableView::eventFilter(watched, event);

        auto* press = static_cast<QMouseEvent*>(event);
        const QPoint at = press->position().toPoint();
        if (qt::mouse_button(press->button()) == mouse_button::left) {
            if (on_header) {
                const int col = horizontalHeader()->logicalIndexAt(at.x());
                if (col >= 0) grid_.pressed_at(0, col);
            } else {
                const QModelIndex index = indexAt(at);
                if (index.isValid()) grid_.pressed_at(index.row() + 1, index.column());
            }
        }
        hand_over_press(static_cast<QWidget*>(watched), *press);
        return true;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool on_cell = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                             event->key() == Qt::Key_Space;
        if (on_cell) take_shown_current_cell();
        run_key_handler(grid_.on_key_down_, *event);
        if (on_cell) {
            event->accept();
        } else {
            QTableView::keyPressEvent(event);
        }
    }

    // The focus frame of an empty grid comes and goes with the focus and the rows.
    void focusInEvent(QFocusEvent* event) override
    {
        QTableView::focusInEvent(event);
        horizontalHeader()->viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QTableView::focusOutEvent(event);
        horizontalHeader()->viewport()->update();
    }
    void reset() override
    {
        QTableView::reset();
        horizontalHeader()->viewport()->update();
    }
    void rowsInserted(const QModelIndex& parent, int start, int end) override
    {
        QTableView::rowsInserted(parent, start, end);
        if (start == 0) horizontalHeader()->viewport()->update();
    }

private:
    // The sideways offset, nearest to the one given, at which the cell's text is in view.
    int sideways_offset_showing(const QModelIndex& index, int shown_from) const
    {
        const QHeaderView& columns = *horizontalHeader();
        const int left = columns.sectionPosition(index.column());
        const QFont font = qvariant_cast<QFont>(index.data(Qt::FontRole));
        const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        const int text_width = QFontMetrics(font).horizontalAdvance(index.data(Qt::DisplayRole).toString()) + margins;
        const int needed = std::clamp(text_width, 1, columns.sectionSize(index.column()));
        const int view_width = viewport()->width();
        if (left < shown_from) return left;
        if (left + needed > shown_from + view_width) return std::min(left, left + needed - view_width);
        return shown_from;
    }

    // The cell that the view shows as current, the first row's code cell where it shows
    // none, becomes the grid's current cell.
    void take_shown_current_cell()
    {
        if (model()->rowCount() == 0) return;
        const QModelIndex shown = currentIndex().isValid() ? currentIndex() : model()->index(0, 0);
        grid_.pressed_at(shown.row() + 1, shown.column());
    }

    // Gives a press to the grid's handler, at its place in the grid.
    void hand_over_press(QWidget* pressed, const QMouseEvent& press)
    {
        const int button = qt::mouse_button(press.button());
        if (!grid_.on_mouse_down_ || button == 0) return;
        const QPointF in_grid = pressed->mapTo(this, press.position().toPoint());
        const int shift = qt::shift_mask(press.modifiers());
        dispatch_event([&] { grid_.on_mouse_down_(button, shift, qt::to_twips(in_grid.x()), qt::to_twips(in_grid.y())); });
        Control::flush_all();
    }

    Grid& grid_;
};

Grid::Grid(Control& parent, double left, double top, double width, double height)
    : Control(&parent, new GridView(parent.widget(), *this), left, top, width, height,
              system_window_background, system_window_text),
      rows_(1), model_(std::make_unique<GridModel>(*this))
{
    for (GridCell& cell : rows_[0]) {
        cell.fore = system_button_text;
        cell.back = system_button_face;
    }
    static_cast<GridView*>(widget())->setModel(model_.get());
}

Grid::~Grid()
{
    if (widget() != nullptr) static_cast<GridView*>(widget())->setModel(nullptr);
}

void Grid::set_rows(int count)
{
    count = std::max(1, count);
    if (count == rows()) return;
    if (count < rows()) {
        rows_.resize(static_cast<std::size_t>(count));
        rows_replaced_ = true;
    } else {
        if (rows_.capacity() < static_cast<std::size_t>(count)) {
            rows_.reserve(std::max(static_cast<std::size_t>(count), rows_.capacity() * 2));
        }
        rows_.resize(static_cast<std::size_t>(count));
    }
    row_ = std::min(row_, count - 1);
    mark_changed(content_changed);
}

void Grid::set_row(int row) { row_ = std::clamp(row, 0, rows() - 1); }
void Grid::set_col(int col) { col_ = std::clamp(col, 0, column_count - 1); }

void Grid::cell_changed()
{
    if (first_changed_row_ < 0 || row_ < first_changed_row_) first_changed_row_ = row_;
    last_changed_row_ = std::max(last_changed_row_, row_);
    mark_changed(content_changed);
}

void Grid::set_text(std::string text)
{
    current().text = std::move(text);
    cell_changed();
}

void Grid::set_cell_fore_colour(Colour colour)
{
    current().fore = colour;
    cell_changed();
}

void Grid::set_cell_back_colour(Colour colour)
{
    current().back = colour;
    cell_changed();
}

void Grid::set_cell_alignment(int alignment)
{
    current().alignment = alignment;
    cell_changed();
}

double Grid::cell_font_size() const
{
    return current().font_size > 0 ? current().font_size : font().size;
}

void Grid::set_cell_font_size(double size)
{
    current().font_size = static_cast<float>(size);
    cell_changed();
}

void Grid::set_cell_font_underline(bool underline)
{
    current().underline = underline;
    cell_changed();
}

const GridCell& Grid::cell(int row, int col) const
{
    return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

void Grid::set_col_width(int col, double width)
{
    col_widths_.at(static_cast<std::size_t>(col)) = width;
    mark_changed(geometry_changed);
}

double Grid::scroll_bar_height() const
{
    return qt::to_twips(widget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget()));
}

double Grid::row_height(int row) const
{
    if (row != 0) return standard_row_height;
    // The header row is as tall as its headings' font needs, with the line below it.
    double height = standard_row_height;
    for (const GridCell& heading : rows_[0]) {
        height = std::max(height, qt::to_twips(QFontMetrics(cell_font(*this, heading)).height() + 1));
    }
    return height;
}

void Grid::pressed_at(int row, int col)
{
    set_row(row);
    set_col(col);
    // The header row is the view's header: it has no cell of the view to make current.
    static_cast<GridView*>(widget())->make_current(row > 0 ? model_->index(row - 1, col) : QModelIndex());
}

void Grid::push(unsigned what)
{
    Control::push(what & ~geometry_changed);
    auto* view = static_cast<GridView*>(widget());
    if (what & content_changed) {
        const bool reset = rows_replaced_;
        model_->hand_over(rows_replaced_, first_changed_row_, last_changed_row_);
        rows_replaced_ = false;
        first_changed_row_ = -1;
        last_changed_row_ = -1;
        // Rows listed afresh are shown from the code column on.
        if (reset) view->horizontalScrollBar()->setValue(0);
    }
    if (what & (content_changed | font_changed)) view->horizontalHeader()->setFixedHeight(qt::to_pixels(row_height(0)));
    if (what & geometry_changed) {
        for (int col = 0; col < column_count; ++col) {
            view->setColumnWidth(col, std::max(1, qt::to_pixels(col_width(col))));
        }
    }
    // The room of the scroll bar follows the box, the columns, the rows and the header row.
    if ((what & (geometry_changed | content_changed | font_changed)) != 0) push_geometry();
    if (what & colours_changed) push_palette(QPalette::Base, QPalette::Text);
}

void Grid::push_geometry()
{
    auto* view = static_cast<GridView*>(widget());
    const QRect box(qt::to_pixels(left()), qt::to_pixels(top()), std::max(0, qt::to_pixels(width())),
                    std::max(0, qt::to_pixels(height())));
    view->setGeometry(box.adjusted(0, 0, 0, view->room_below(box)));
}

} // namespace platform
