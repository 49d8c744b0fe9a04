#pragma once
// A grid of text cells with one fixed header row: the program addresses it through a
// current row and column, as the classic flex grid does, and the grid shows its rows
// through a view over its own row store, so that tens of thousands of coloured rows
// stay cheap. Rows are handed to the screen in batches, not one by one.
#include "platform/widgets/controls.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace cell_alignment {
constexpr int left_top = 0;
constexpr int left_centre = 1;
constexpr int left_bottom = 2;
constexpr int centre_centre = 4;
constexpr int right_centre = 7;
} // namespace cell_alignment

struct GridCell {
    std::string text;
    Colour fore = system_window_text;
    Colour back = system_window_background;
    int alignment = cell_alignment::left_centre;
    float font_size = 0; // 0: the grid's own font size
    bool underline = false;
};

class GridModel;

class Grid final : public Control {
public:
    static constexpr int column_count = 2;
    static constexpr double standard_row_height = 240;

    Grid(Control& parent, double left, double top, double width, double height);
    ~Grid() override;

    int rows() const { return static_cast<int>(rows_.size()); }
    // Adds empty rows or drops rows from the end; row 0, the header row, always stays.
    void set_rows(int count);
    int row() const { return row_; }
    void set_row(int row);
    int col() const { return col_; }
    void set_col(int col);

    // The current cell.
    const std::string& text() const { return current().text; }
    void set_text(std::string text);
    Colour cell_fore_colour() const { return current().fore; }
    void set_cell_fore_colour(Colour colour);
    Colour cell_back_colour() const { return current().back; }
    void set_cell_back_colour(Colour colour);
    int cell_alignment() const { return current().alignment; }
    void set_cell_alignment(int alignment);
    double cell_font_size() const;
    void set_cell_font_size(double size);
    bool cell_font_underline() const { return current().underline; }
    void set_cell_font_underline(bool underline);

    // Any cell, without moving the current cell.
    const GridCell& cell(int row, int col) const;

    double col_width(int col) const { return col_widths_.at(static_cast<std::size_t>(col)); }
    void set_col_width(int col, double width);
    double row_height(int row) const;
    // The height of the sideways scroll bar, which covers the bottom of the rows when the
    // columns are wider than the grid.
    double scroll_bar_height() const;

    // A key going down while the grid has the focus. Enter and Space first make the cell
    // that the view shows as current the grid's current cell (the first row's code cell
    // where it shows none) and go no further; the other keys then move through the rows
    // as the view does, or travel on to the window.
    void on_key_down(KeyHandler handler) { on_key_down_ = std::move(handler); }

protected:
    void push(unsigned what) override;
    void push_geometry() override;

private:
    using Row = std::array<GridCell, column_count>;

    GridCell& current() { return rows_[static_cast<std::size_t>(row_)][static_cast<std::size_t>(col_)]; }
    const GridCell& current() const
    {
        return rows_[static_cast<std::size_t>(row_)][static_cast<std::size_t>(col_)];
    }
    void cell_changed();
    // A left press on a cell of a row, the header row (0) included, makes it current; so
    // do Enter and Space on the cell that the view shows as current.
    void pressed_at(int row, int col);

    KeyHandler on_key_down_;
    std::vector<Row> rows_;
    int row_ = 0;
    int col_ = 0;
    std::array<double, column_count> col_widths_{1000, 1000};
    int first_changed_row_ = -1;
    int last_changed_row_ = -1;
    bool rows_replaced_ = false;
    std::unique_ptr<GridModel> model_;

    friend class GridModel;
    friend class GridView;
};

} // namespace platform
