#pragma once
// Interface texts of the production line window.
namespace lineText {
constexpr int MenuItem = 700, Title = 701, Cables = 702, Options = 703, Verify = 704,
              BackupFolder = 705, LogFile = 706, StopAfter = 707, Sound = 708, Start = 709,
              Stop = 710, Waiting = 711, Identifying = 712, BackingUp = 713, Writing = 714,
              Verifying = 715, Pass = 716, Fail = 717, RemoveRadio = 718, Unplugged = 719,
              Ident = 720, Seconds = 721, Totals = 722, StepBackup = 723, StepWrite = 724,
              StepVerify = 725, PlanLocked = 726, AskClose = 727, NoCable = 728, Browse = 729,
              Stopping = 730, NoDevice = 731, LogUnwritable = 732, Never = 733;
// Existing: "%1 cannot be opened: %2."
constexpr int CannotOpen = 608;
} // namespace lineText
