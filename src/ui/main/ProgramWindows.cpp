#include "ui/main/ProgramWindows.h"

#include <utility>

#include "platform/CallbackGuard.h"

namespace zanmel {

template <class Window, class... Arguments>
std::unique_ptr<Window> ProgramWindows::Make(const char* stage, Arguments&&... arguments) {
    // Windows that take the timing log open and end their stage themselves.
    if (!stage) return std::make_unique<Window>(std::forward<Arguments>(arguments)...);
    parts_.timer.BeginStage();
    auto window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
    parts_.timer.EndStage(stage);
    return window;
}

ProgramWindows::ProgramWindows(ProgramParts parts) : parts_(std::move(parts)) {
    ProgramParts& p = parts_;
    TZanmelModule& launcher = p.launcher;
    form_ = std::make_unique<TForm1>(
        TForm1::Dependencies{
            p.timer, p.setting, p.keyWords, p.files, p.ui, p.state,
            [&launcher](const std::string& keyword, const std::string& option) {
                launcher.RunKeyWord(keyword, option);
            },
            [&launcher](const std::string& keyword, bool save) { return launcher.DeleteKeyWord(keyword, save); }},
        TForm1::Lifecycle{[&launcher](const std::string& path) { return launcher.RunFile(path); },
                          [&launcher](bool runEjectionTool) { launcher.CloseDown(runEjectionTool); },
                          [&launcher](const TLaunchWordData2& record) { return launcher.RunRecord(record, false, ""); },
                          &p.skins, [&launcher] { launcher.LoadExtList(); }, p.sessionEnding});
    TForm1& form = *form_;
    HWND main = form.Handle();
    if (p.mainWindowMade) p.mainWindowMade(main);
    // Right after the main window, before any other: geometry, skin and the start auto-run.
    platform::GuardCallback([&] { form.FormCreate(); });

    form3_ = Make<ui::TForm3>("TForm3::TForm3", form, p.ui);
    form4_ = Make<ui::TForm4>(nullptr, p.timer, launcher, p.state, main);
    formZanmel_ = Make<ui::TFormZanmel>(
        "TFormZanmel::TFormZanmel", ui::TFormZanmel::Dependencies{form, *form3_, p.keyWords, launcher, p.state, p.ui});
    formExt_ = Make<ui::TFormExt>(nullptr, p.timer, ui::TFormExt::Dependencies{*form4_, launcher, p.state, p.ui});
    form4_->SetFormExt(formExt_.get());
    formWEB_ = Make<ui::TFormWEB>("TFormWEB::TFormWEB",
                                  ui::TFormWEB::Dependencies{form, *form3_, p.keyWords, launcher, p.state, p.ui});
    formSetting_ = Make<ui::TFormSetting>(nullptr, p.timer, p.setting, main, p.skins.GetSkinNames());
    formDebug_ = Make<ui::TFormDebugDirectZNXS>(nullptr, p.timer, p.ui, main);
    formScan_ = Make<ui::TFormScan>("TFormScan::TFormScan",
                                    ui::TFormScan::Dependencies{form, p.keyWords, launcher, p.state, p.files, p.ui});
    dirView_ = Make<ui::TFormDirView>("TFormDirView::TFormDirView", main);
    formScan_->SetDirView(dirView_.get());
    formAutorunInf_ = Make<ui::TFormAutorunInf>("TFormAutorunInf::TFormAutorunInf",
                                                ui::TFormAutorunInf::Dependencies{main, p.state, launcher, p.files});
    formBackUp_ = Make<ui::TFormBackUp>(
        "TFormBackUp::TFormBackUp",
        ui::TFormBackUp::Dependencies{main, p.state, *dirView_, p.files, p.ui,
                                      [&launcher](const std::string& path) { return launcher.RunFile(path); }});
    formSync_ = Make<ui::TFormSync>("TFormSync::TFormSync",
                                    ui::TFormSync::Dependencies{main, p.state, *dirView_, p.files, p.ui,
                                                                [&form](const std::vector<std::string>& destinations) {
                                                                    form.SheetsSynced(destinations);
                                                                }});
    formSpecialFolder_ = Make<ui::TFormSpecialFolder>(
        nullptr, p.timer, ui::TFormSpecialFolder::Dependencies{form, p.keyWords, p.specialFolders, p.state, p.ui});
    // In the order of TForm1::Windows; each member has a type of its own, so a wrong order does not compile.
    windows_ = {dirView_.get(),           form3_.get(),          formZanmel_.get(),  formScan_.get(),
                formWEB_.get(),           formDebug_.get(),      formSetting_.get(), form4_.get(),
                formSpecialFolder_.get(), formAutorunInf_.get(), formBackUp_.get(),  formSync_.get()};
    form.AttachWindows(windows_);
}

}  // namespace zanmel
