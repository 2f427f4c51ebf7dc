// The commands of the Edit/View menu that work in the main list: the action list and its
// editor, the deposit sources, the main balance and the usage listing.
#pragma once

namespace quorvel::ui {

class FrmMain;

// Lists the month's actions and opens the chosen one in FrmActChange. With main.SelIndex set
// to kFilteredListing and main.FilterKey set (five characters), only that item's actions are
// listed; with main.CashView set, only the cash actions (the flag lasts for one listing).
void MnuAdjustAction_Click(FrmMain& main);
void MnuCashShow_Click(FrmMain& main);
void MnuCSource_Click(FrmMain& main);
void MnuChangeBalance_Click(FrmMain& main);
void MnuUsage_Click(FrmMain& main);

inline constexpr int kFilteredListing = -17;

}  // namespace quorvel::ui
