#include "protocol/ProtocolHandler.h"

#include <exception>

#include "protocol/ZnxpRequest.h"

namespace zanmel {

namespace {

// A forwarded command line; an error (an unregistered keyword) is shown and stops the rest of the line.
void HandleCommandLine(std::string_view text, ProtocolServices& services) {
    try {
        for (const CommandLineAction& action : ParseCommandLinePayload(text)) {
            switch (action.kind) {
                case CommandLineAction::Kind::OpenFile:
                    services.RunFile(action.text);
                    break;
                case CommandLineAction::Kind::RunKeyword:
                    services.RunKeyword(action.text);
                    break;
                case CommandLineAction::Kind::Exit:
                    services.PostExit();
                    break;
            }
        }
    } catch (const std::exception& error) {
        services.ShowError(error.what());
    }
}

void HandleZnxp(std::int32_t sender, std::string_view text, ProtocolServices& services) {
    const ZnxpRequest request = ParseZnxpRequest(text);
    const std::int32_t replyWindow = request.hwnd != 0 ? request.hwnd : sender;
    if (replyWindow == 0) return;  // nobody to answer: the request is dropped

    std::string reply;
    std::string failure;  // an error of the action, shown after the reply went out
    switch (request.kind) {
        case ZnxpRequestKind::Get: {
            const auto result =
                services.Search(request.search, !request.ignoreCase, !request.matchPartial, request.romaji);
            reply = ZnxpGetReply(result.completed, result.keywords);
            break;
        }
        case ZnxpRequestKind::Notify:
            if (request.appHwnd) {
                services.AddNotifyWindow(*request.appHwnd);
                reply = ZnxpReplyText({std::string(ZnxpOk(request.kind))});
            } else {
                reply = ZnxpReplyText({std::string(ZnxpBadRequest(request.kind))});
            }
            break;
        case ZnxpRequestKind::Execute10:
            if (request.keyword) {
                reply = ZnxpReplyText({std::string(ZnxpOk(request.kind))});
                try {
                    services.RunKeyword(*request.keyword);
                } catch (const std::exception&) {
                    // A keyword that cannot be run still gets its 200 reply and no message.
                }
            } else {
                reply = ZnxpReplyText({std::string(ZnxpBadRequest(request.kind))});
            }
            break;
        case ZnxpRequestKind::Execute11:
            if (request.file) {
                reply = ZnxpReplyText({std::string(ZnxpOk(request.kind))});
                try {
                    services.RunFile(*request.file);
                } catch (const std::exception& error) {
                    failure = error.what();
                }
            } else {
                reply = ZnxpReplyText({std::string(ZnxpBadRequest(request.kind))});
            }
            break;
        case ZnxpRequestKind::Add:
            if (request.file) {
                reply = ZnxpReplyText({std::string(ZnxpOk(request.kind))});
                try {
                    services.OpenRegistration(*request.file);
                } catch (const std::exception& error) {
                    failure = error.what();
                }
            } else {
                reply = ZnxpReplyText({std::string(ZnxpBadRequest(request.kind))});
            }
            break;
        case ZnxpRequestKind::Unknown:
            reply = ZnxpReplyText({std::string(kZnxpNotImplemented)});
            break;
    }
    services.SendReply(replyWindow, reply);
    if (!failure.empty()) services.ShowError(failure);
}

}  // namespace

std::intptr_t HandleCopyData(std::uint64_t kind, std::int32_t sender, std::string_view text,
                             ProtocolServices& services) {
    if (kind == kCopyDataCommandLine) {
        const std::string line(text);  // the sender's block is gone once it is released
        services.ReleaseSender();
        HandleCommandLine(line, services);
        return 1;
    }
    if (kind == kCopyDataZnxp) {
        HandleZnxp(sender, text, services);
        return 1;
    }
    return 0;
}

}  // namespace zanmel
