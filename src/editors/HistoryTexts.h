#pragma once
// Interface texts of the History window and of the operator's name the
// production line asks for.
namespace historyText {
constexpr int OperatorTitle = 760, OperatorPrompt = 761, MenuItem = 762, Title = 763, Result = 764,
              All = 765, Port = 766, Search = 767, From = 768, To = 769, Export = 770,
              ColumnTime = 771, // 771..779: one per column of the table
    Shown = 780, ShownMore = 781, CannotRead = 782, CannotWrite = 783, Exported = 784,
              Refresh = 785, OpenBackup = 786;
} // namespace historyText
