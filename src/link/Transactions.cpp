#include "app/TfmMain.h"

bool AnswerReceived = false;

TExchangeResult TfmMain::ExchangeCommand(const QString&, const QString&, bool, bool, bool) {
    return {};
}
bool TfmMain::PollCommand(const TCmdAddress&) { return false; }
bool TfmMain::ApplyCommand(const TCmdAddress&) { return false; }
void TfmMain::RunPollProcessor(const TCmdAddress&, const QString&) {}
