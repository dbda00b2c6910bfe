#include "CommandTable.h"
#include "cli/CliHost.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "cli/WriteOutcome.h"
#include "ops/ResultWords.h"
#include "ops/TrackerWrite.h"
#include "register/TrackerRecorder.h"

namespace {

QString Check(const TCliOptions& o) {
    if (o.Files.size() != 1)
        return TCli::tr("'write' требует ровно один файл конфигурации");
    return QString();
}

bool WritePort(TPortJob& job) {
    job.Outcome().File = job.Setup().FileName;
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    job.Identify(observer);
    const TWriteOptions options = WriteOptionsOf(job.Options());
    const TWriteResult w = WriteValues(job.Link(), job.Values(), options, observer);
    job.Recorded(
        job.Recorder().RecordWrite(job.Link(), w, WriteResultWord(w, options.Store)).Message());
    return TakeWrite(job, w);
}

} // namespace

TCliCommand WriteCommand() {
    TCliCommand c(
        "write", "write --port P [--port P ...] FILE.zxml [--store] [--no-verify]",
        QT_TRANSLATE_NOOP(
            "TCli",
            "Загружает файл с проверками программы (структурные ошибки останавливают всё до "
            "отправки), читает, что трекер хранит из затронутых команд, затем пишет постранично "
            "только строки, значения которых есть в файле, каждую такой, какой её хранит трекер, "
            "со значениями файла поверх. Строки, которые нельзя отправить безопасно, проваливают "
            "порт до его первой записи. Читает записанные команды обратно и сравнивает (если не "
            "задан --no-verify); каждое значение, которое трекер не принял, перечисляется. С "
            "--store настройки сохраняются во флеш, когда всё прошло; сохранение, которое трекер "
            "не подтвердил, даёт 'not stored'."));
    c.Options = QVector<TCliOption>{PortOption(true)} + WriteSwitches();
    c.LinkOptions = true;
    c.TakesFiles = true;
    c.Check = Check;
    c.PortWork = WritePort;
    c.LoadsFile = true;
    c.FileSide = "sent";
    return c;
}
