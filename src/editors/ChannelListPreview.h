#pragma once
// The preview of a channel list before it is imported: every row of the file
// with what became of it (fits, outside the band, not possible on this radio,
// listed twice, not readable), a tick per row and the channel each ticked row
// will fill. The ticked rows keep the gaps between their numbers and start at
// the chosen first channel; rows that would land past the last channel are not
// taken. Space ticks the selected rows, Enter accepts, Escape cancels.
#include "core/ChannelCsv.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QSpinBox;
class QTableWidget;

class ChannelListPreview : public QDialog {
    Q_OBJECT
  public:
    // Reads `csvText` in either layout; throws cps::CsvError when it is no
    // channel table at all.
    ChannelListPreview(const cps::Cps &c, const std::string &csvText, QWidget *parent = nullptr);

    // The ticked rows that land on a channel, with that channel set.
    std::vector<cps::ChannelEntryRow> chosenRows() const;
    // Whether the channels no row fills are to be cleared.
    bool clearOthers() const;

    QTableWidget *table() const { return table_; }
    QSpinBox *firstChannel() const { return first_; }
    QLabel *countLine() const { return count_; }
    QCheckBox *clearOthersBox() const { return clear_; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    struct Row {
        int line = 0;
        std::optional<int> number; // its Location or Channel, as read
        std::string name;          // its Name or Comment, shown only
        std::string state;         // "" when it fits, else the kind of refusal
        std::string message;       // why it is refused
        std::optional<cps::ChannelEntryRow> entry;
    };
    void readRows(const std::string &csvText);
    void fillTable();
    void tickDefaults();
    // Channel of each row under the current ticks and first channel; 0 for none.
    std::vector<int> channels() const;
    void refresh();
    bool ticked(int row) const;
    void toggleSelectedTicks();
    QString text(int entry) const;

    const cps::Cps &c_;
    std::vector<Row> rows_;
    QTableWidget *table_ = nullptr;
    QSpinBox *first_ = nullptr;
    QLabel *count_ = nullptr;
    QLabel *why_ = nullptr;
    QCheckBox *clear_ = nullptr;
    bool refreshing_ = false;
};
