// The upload's boxes.
#include "import/DialogsUploadSink.h"

namespace tavri {

void DialogsUploadSink::waiting(const QString& text) {
    beforeBox();
    dialogs_.inform(text, title_, MessageIcon::Information);
    afterBox();
}

bool DialogsUploadSink::truncated(const QString& text, bool more) {
    beforeBox();
    const Answer answer =
        dialogs_.message({text, QString(), more ? MessageButtons::OkSkipRest : MessageButtons::Ok,
                          MessageIcon::None, Answer::Ok});
    afterBox();
    return answer != Answer::SkipRest;
}

void DialogsUploadSink::finished(const UploadOutcome& outcome) {
    beforeBox();  // the upload is over: nothing to come back to after this box
    dialogs_.inform(outcome.closingText(), title_,
                    outcome.complete() ? MessageIcon::Information : MessageIcon::Warning);
}

}  // namespace tavri
