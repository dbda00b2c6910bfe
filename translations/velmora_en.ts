<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>HintText</name>
    <message>
        <source>Число</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>от</source>
        <translation>from</translation>
    </message>
    <message>
        <source>до</source>
        <translation>up to</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>String</translation>
    </message>
    <message>
        <source>символов</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>маска</source>
        <translation>mask</translation>
    </message>
    <message>
        <source>Шестнадцатеричное число</source>
        <translation>Hexadecimal number</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Unable to write to %1</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Разработка: лаборатория телематики «Северный ветер»
© 2009–2026. Все права защищены.</source>
        <translation>Developed by the Northwind telematics laboratory
© 2009–2026. All rights reserved.</translation>
    </message>
    <message>
        <source>Мы разрабатываем встроенное программное обеспечение GPS/GSM-трекеров, системы мониторинга транспорта и программы настройки оборудования по заказу.</source>
        <translation>We develop embedded software for GPS/GSM trackers, vehicle monitoring systems and custom equipment configuration tools.</translation>
    </message>
    <message>
        <source>Общество с ограниченной ответственностью
«ТрекЛайн Дистрибуция»</source>
        <translation>Limited Liability Company
&quot;TrackLine Distribution&quot;</translation>
    </message>
    <message>
        <source>По вопросам технической поддержки обращаться</source>
        <translation>For technical support, please contact</translation>
    </message>
</context>
<context>
    <name>TChangeMarks</name>
    <message>
        <source>было: %1</source>
        <translation>was: %1</translation>
    </message>
    <message>
        <source>Есть изменённые значения</source>
        <translation>Values have been changed</translation>
    </message>
</context>
<context>
    <name>TCheckCharts</name>
    <message>
        <source>Напряжение питания, В</source>
        <translation>Supply voltage, V</translation>
    </message>
    <message>
        <source>Аккумулятор, В</source>
        <translation>Battery, V</translation>
    </message>
    <message>
        <source>Уровень сигнала GSM</source>
        <translation>GSM signal level</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>Скорость, км/ч</source>
        <translation>Speed, km/h</translation>
    </message>
    <message>
        <source>Температура, °C</source>
        <translation>Temperature, °C</translation>
    </message>
</context>
<context>
    <name>TCheckPanel</name>
    <message>
        <source>Проверка установки</source>
        <translation>Installation check</translation>
    </message>
    <message>
        <source>Критерий</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Госномер</source>
        <translation>Plate number</translation>
    </message>
    <message>
        <source>VIN</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>Установщик</source>
        <translation>Installer</translation>
    </message>
    <message>
        <source>Начать заново</source>
        <translation>Start over</translation>
    </message>
    <message>
        <source>Сохранить отчёт...</source>
        <translation>Save report...</translation>
    </message>
</context>
<context>
    <name>TCheckReport</name>
    <message>
        <source>Протокол проверки установки трекера</source>
        <translation>Tracker installation check report</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ID блока</source>
        <translation>Unit ID</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Госномер</source>
        <translation>Plate number</translation>
    </message>
    <message>
        <source>VIN</source>
        <translation>VIN</translation>
    </message>
    <message>
        <source>Установщик</source>
        <translation>Installer</translation>
    </message>
    <message>
        <source>Начало проверки</source>
        <translation>Check started</translation>
    </message>
    <message>
        <source>Конец проверки</source>
        <translation>Check ended</translation>
    </message>
    <message>
        <source>Стенд</source>
        <translation>Bench</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Критерии</source>
        <translation>Criteria</translation>
    </message>
    <message>
        <source>Критерий</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Заключение</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Последнее местоположение</source>
        <translation>Last position</translation>
    </message>
    <message>
        <source>координаты не получены</source>
        <translation>no position received</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Plots</translation>
    </message>
    <message>
        <source>Не могу записать отчёт %1: %2</source>
        <translation>Cannot write the report %1: %2</translation>
    </message>
    <message>
        <source>ошибка PDF</source>
        <translation>PDF error</translation>
    </message>
</context>
<context>
    <name>TCheckSettings</name>
    <message>
        <source>[Check] %1=%2: неверное значение, взято значение по умолчанию</source>
        <translation>[Check] %1=%2: invalid value, the default is used</translation>
    </message>
    <message>
        <source>[Check] MinVoltage=%1 не меньше MaxVoltage=%2: взяты значения по умолчанию</source>
        <translation>[Check] MinVoltage=%1 is not below MaxVoltage=%2: the defaults are used</translation>
    </message>
</context>
<context>
    <name>TCli</name>
    <message>
        <source>чтение, запись, сравнение и наблюдение трекеров без окна.</source>
        <translation>read, write, compare and monitor trackers without a window.</translation>
    </message>
    <message>
        <source>все трекеры закончили ok</source>
        <translation>every tracker ended ok</translation>
    </message>
    <message>
        <source>какой-то нет (или Ctrl+C)</source>
        <translation>one did not (or Ctrl+C)</translation>
    </message>
    <message>
        <source>неверный вызов или нечитаемые входные данные</source>
        <translation>bad usage or unreadable inputs</translation>
    </message>
    <message>
        <source>Вызов: velmora-cli КОМАНДА [ПАРАМЕТРЫ] [ФАЙЛЫ]</source>
        <translation>Usage: velmora-cli COMMAND [OPTIONS] [FILES]</translation>
    </message>
    <message>
        <source>Команды:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>Общие параметры:</source>
        <translation>Common options:</translation>
    </message>
    <message>
        <source>Показать справку (также: velmora-cli КОМАНДА --help).</source>
        <translation>Show help (also: velmora-cli COMMAND --help).</translation>
    </message>
    <message>
        <source>Код выхода: 0 %1, 1 %2, 2 %3.</source>
        <translation>Exit status: 0 %1, 1 %2, 2 %3.</translation>
    </message>
    <message>
        <source>Вызов:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>Параметры:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>ожидание порта</source>
        <translation>waiting for the port</translation>
    </message>
    <message>
        <source>вход в командный режим, попытка %1</source>
        <translation>entering command mode, attempt %1</translation>
    </message>
    <message>
        <source>не удалось прочитать профиль %1: %2</source>
        <translation>cannot read the profile %1: %2</translation>
    </message>
    <message>
        <source>профиль %1 не содержит ни одной команды</source>
        <translation>the profile %1 holds no command</translation>
    </message>
    <message>
        <source>не удалось прочитать файл настроек %1: %2</source>
        <translation>cannot read the settings file %1: %2</translation>
    </message>
    <message>
        <source>не удалось загрузить %1: %2</source>
        <translation>cannot load %1: %2</translation>
    </message>
    <message>
        <source>%1 не подходит к профилю; ничего не отправлено</source>
        <translation>%1 does not fit the profile; nothing was sent</translation>
    </message>
    <message>
        <source>не удалось загрузить %1</source>
        <translation>cannot load %1</translation>
    </message>
    <message>
        <source>И общие параметры (см. COMMON OPTIONS).</source>
        <translation>And the common options (see COMMON OPTIONS).</translation>
    </message>
    <message>
        <source>Настройки программы: язык, порт, линия, тайм-ауты, пароли (общие с окном velmora).</source>
        <translation>The program&apos;s settings: language, port, line, time-outs, passwords (shared with the velmora window).</translation>
    </message>
    <message>
        <source>Поставляемый профиль команд; собственный профиль оператора рядом с Velmora.ini заменяет его.</source>
        <translation>The shipped command profile; the operator&apos;s own profile beside Velmora.ini takes its place.</translation>
    </message>
    <message>
        <source>Английский языковой модуль (без него сообщения на русском).</source>
        <translation>The English language module (without it the messages are Russian).</translation>
    </message>
    <message>
        <source>Показать справку.</source>
        <translation>Show help.</translation>
    </message>
    <message>
        <source>Попробуйте &apos;velmora-cli --help&apos;.</source>
        <translation>Try &apos;velmora-cli --help&apos;.</translation>
    </message>
    <message>
        <source>--speed требует положительного числа бод</source>
        <translation>--speed needs a positive number of baud</translation>
    </message>
    <message>
        <source>--connect-timeout требует числа секунд от 1 до %1</source>
        <translation>--connect-timeout needs a number of seconds from 1 to %1</translation>
    </message>
    <message>
        <source>--port требует имени порта</source>
        <translation>--port needs a port name</translation>
    </message>
    <message>
        <source>порт %1 указан дважды</source>
        <translation>port %1 is given twice</translation>
    </message>
    <message>
        <source>не задана команда</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>неизвестная команда &apos;%1&apos;</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не принимает --%2</source>
        <translation>&apos;%1&apos; does not take --%2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; требует %2</source>
        <translation>&apos;%1&apos; needs %2</translation>
    </message>
    <message>
        <source>%1 не содержит ни одной команды профиля</source>
        <translation>%1 holds no command of the profile</translation>
    </message>
    <message>
        <source>не удалось записать журнал %1: %2</source>
        <translation>cannot write the log %1: %2</translation>
    </message>
    <message>
        <source>не удалось записать отчёт %1: %2</source>
        <translation>cannot write the report %1: %2</translation>
    </message>
    <message>
        <source>&apos;check-profile&apos; принимает не больше одного файла профиля</source>
        <translation>&apos;check-profile&apos; takes one profile file at most</translation>
    </message>
    <message>
        <source>Загружает профиль команд так же, как программа, и перечисляет по строке всё, что потом навредит его автору. Код выхода 0, когда сказать нечего.</source>
        <translation>Loads a command profile as the program does and lists what will hurt its author later, one line each. Exit status 0 when there is nothing to say.</translation>
    </message>
    <message>
        <source>Последовательный порт (можно несколько раз, по трекеру на порт).</source>
        <translation>Serial port (repeatable for several trackers).</translation>
    </message>
    <message>
        <source>Строки JSON на stdout вместо текста.</source>
        <translation>JSON lines on stdout instead of text.</translation>
    </message>
    <message>
        <source>Файл настроек: язык, параметры линии, тайм-ауты, повторы, пароли и способ входа (по умолчанию Velmora.ini программы).</source>
        <translation>Settings file for the language, line settings, time-outs, retries, passwords and entry method (default: the program&apos;s Velmora.ini).</translation>
    </message>
    <message>
        <source>Профиль команд (по умолчанию cmdprofile.xml программы).</source>
        <translation>Command profile (default: the program&apos;s cmdprofile.xml).</translation>
    </message>
    <message>
        <source>Пароль пользователя.</source>
        <translation>User password.</translation>
    </message>
    <message>
        <source>Мастер-пароль.</source>
        <translation>Master password.</translation>
    </message>
    <message>
        <source>Скорость линии в бодах.</source>
        <translation>Line speed in baud.</translation>
    </message>
    <message>
        <source>Сколько пытаться войти в командный режим (по умолчанию 30).</source>
        <translation>Give up entering command mode after this long (default 30).</translation>
    </message>
    <message>
        <source>Журнал обмена с временем и портом в каждой строке (пароли как &quot;*&quot;).</source>
        <translation>Exchange log with a time stamp and the port on every line (passwords as &quot;*&quot;).</translation>
    </message>
    <message>
        <source>Строки результатов в CSV.</source>
        <translation>The result lines as CSV.</translation>
    </message>
    <message>
        <source>&apos;diff&apos; сравнивает один трекер за раз</source>
        <translation>&apos;diff&apos; compares one tracker at a time</translation>
    </message>
    <message>
        <source>&apos;diff --port P&apos; требует ровно один файл конфигурации</source>
        <translation>&apos;diff --port P&apos; needs exactly one configuration file</translation>
    </message>
    <message>
        <source>&apos;diff&apos; требует --port P и файл или два файла</source>
        <translation>&apos;diff&apos; needs --port P and a file, or two files</translation>
    </message>
    <message>
        <source>различаются значения: %1</source>
        <translation>%1 values differ</translation>
    </message>
    <message>
        <source>Сравнивает значения трекера (или второго файла) с файлом: по строке на каждый различающийся параметр. Код выхода 0 только при равенстве.</source>
        <translation>Compares the values of a tracker (or of a second file) with a file: one line per differing parameter. Exit status 0 only when they are equal.</translation>
    </message>
    <message>
        <source>&apos;ports&apos; не принимает файлов</source>
        <translation>&apos;ports&apos; takes no file</translation>
    </message>
    <message>
        <source>последовательные порты не найдены</source>
        <translation>no serial ports found</translation>
    </message>
    <message>
        <source>Перечисляет все имеющиеся последовательные порты с тем, что о них знает система (описание, производитель, USB vendor:product, серийный номер), и их постоянным именем в /dev/serial/by-id, где оно есть.</source>
        <translation>Lists every serial port present with what the system knows of it (description, manufacturer, USB vendor:product, serial number) and its stable /dev/serial/by-id name where there is one.</translation>
    </message>
    <message>
        <source>&apos;read&apos; не принимает файлов (используйте --out)</source>
        <translation>&apos;read&apos; takes no file argument (use --out)</translation>
    </message>
    <message>
        <source>при нескольких портах --out должен содержать {port}</source>
        <translation>with several ports --out must hold {port}</translation>
    </message>
    <message>
        <source>два порта записали бы %1</source>
        <translation>two ports would write %1</translation>
    </message>
    <message>
        <source>сохранение </source>
        <translation>saving </translation>
    </message>
    <message>
        <source>не удалось создать папку %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>не удалось записать %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>Входит в командный режим, читает каждую читаемую команду профиля и сохраняет присланные трекером значения в файл конфигурации. Команда без ответа, с коротким или непонятым ответом называется, а её недостающие значения не попадают в файл: результат тогда &apos;partial&apos;. При нескольких портах имя файла должно содержать {port}, который заменяется базовым именем порта, например --out units/{port}.zxml.</source>
        <translation>Enters command mode, reads every readable command of the profile and saves the values the tracker sent as a configuration file. A command whose answer is missing, short or not understood is named and its missing values left out: the result is then &apos;partial&apos;. With several ports the output name must hold {port}, which becomes the port&apos;s base name, e.g. --out units/{port}.zxml.</translation>
    </message>
    <message>
        <source>Файл конфигурации для записи; {port} заменяется базовым именем порта.</source>
        <translation>Configuration file to write; {port} becomes the port&apos;s base name.</translation>
    </message>
    <message>
        <source>--count требует положительного числа</source>
        <translation>--count needs a positive number</translation>
    </message>
    <message>
        <source>&apos;status&apos; требует ровно один --port</source>
        <translation>&apos;status&apos; needs exactly one --port</translation>
    </message>
    <message>
        <source>&apos;status&apos; не принимает файлов</source>
        <translation>&apos;status&apos; takes no file</translation>
    </message>
    <message>
        <source>не удалось запустить поток состояния: </source>
        <translation>cannot start the status stream: </translation>
    </message>
    <message>
        <source>поток, отчётов: %1</source>
        <translation>streaming, %1 reports</translation>
    </message>
    <message>
        <source>порт отказал во время потока: </source>
        <translation>the port failed while streaming: </translation>
    </message>
    <message>
        <source>остановка потока</source>
        <translation>stopping the stream</translation>
    </message>
    <message>
        <source>Запускает поток состояния трекера и печатает каждый разобранный отчёт (или по объекту JSON на отчёт с --json), пока не придут N отчётов или Ctrl+C; затем останавливает поток.</source>
        <translation>Starts the tracker&apos;s status stream and prints each decoded report (or one JSON object per report with --json) until N reports came or Ctrl+C; then stops the stream.</translation>
    </message>
    <message>
        <source>Остановиться после N отчётов (по умолчанию до Ctrl+C).</source>
        <translation>Stop after N reports (default: until Ctrl+C).</translation>
    </message>
    <message>
        <source>&apos;write&apos; требует ровно один файл конфигурации</source>
        <translation>&apos;write&apos; needs exactly one configuration file</translation>
    </message>
    <message>
        <source>обмен не удался</source>
        <translation>the exchange failed</translation>
    </message>
    <message>
        <source>трекер ответил NOT SUPPORTED</source>
        <translation>the tracker answered NOT SUPPORTED</translation>
    </message>
    <message>
        <source>трекер отказал: </source>
        <translation>the tracker refused: </translation>
    </message>
    <message>
        <source>трекер не ответил</source>
        <translation>no answer from the tracker</translation>
    </message>
    <message>
        <source>; ничего не записано</source>
        <translation>; nothing was written</translation>
    </message>
    <message>
        <source>чтение %1 не удалось: %2</source>
        <translation>reading %1 failed: %2</translation>
    </message>
    <message>
        <source>у %1 нет значения ни в файле, ни в трекере</source>
        <translation>%1 has a value neither in the file nor in the tracker</translation>
    </message>
    <message>
        <source>трекер не выдал %1 целиком, а в файле нет всей строки</source>
        <translation>the tracker did not give %1 whole and the file does not hold the whole row</translation>
    </message>
    <message>
        <source>%1 содержит %2</source>
        <translation>%1 holds %2</translation>
    </message>
    <message>
        <source>запятую или двойную кавычку</source>
        <translation>a comma or a double quote</translation>
    </message>
    <message>
        <source>управляющий символ</source>
        <translation>a control character</translation>
    </message>
    <message>
        <source>нет пароля для %1</source>
        <translation>no password for %1</translation>
    </message>
    <message>
        <source>запись %1 не удалась: %2</source>
        <translation>writing %1 failed: %2</translation>
    </message>
    <message>
        <source>трекер отказал в %1: %2</source>
        <translation>the tracker refused %1: %2</translation>
    </message>
    <message>
        <source>трекер не подтвердил %1</source>
        <translation>the tracker did not confirm %1</translation>
    </message>
    <message>
        <source>не принято: </source>
        <translation>not taken: </translation>
    </message>
    <message>
        <source>не прочитано обратно: </source>
        <translation>not read back: </translation>
    </message>
    <message>
        <source>не сохранено во флеш</source>
        <translation>not stored in flash</translation>
    </message>
    <message>
        <source>не сохранено во флеш: </source>
        <translation>not stored in flash: </translation>
    </message>
    <message>
        <source>Загружает файл с проверками программы (структурные ошибки останавливают всё до отправки), читает, что трекер хранит из затронутых команд, затем пишет постранично только строки, значения которых есть в файле, каждую такой, какой её хранит трекер, со значениями файла поверх. Строки, которые нельзя отправить безопасно, проваливают порт до его первой записи. Читает записанные команды обратно и сравнивает (если не задан --no-verify); каждое значение, которое трекер не принял, перечисляется. С --store настройки сохраняются во флеш, когда всё прошло; сохранение, которое трекер не подтвердил, даёт &apos;not stored&apos;.</source>
        <translation>Loads the file with the program&apos;s validation (structural errors stop before anything is sent), reads what the tracker holds of the commands concerned, then writes page by page only the rows the file holds values of, each as the tracker holds it with the file&apos;s values over it. Rows that cannot be sent safely fail the port before its first write. Reads the written commands back and compares (unless --no-verify); every value the tracker did not take is listed. With --store the settings are stored in flash once all went through; a store the tracker does not confirm is &apos;not stored&apos;.</translation>
    </message>
    <message>
        <source>Сохранить настройки во флеш после записи.</source>
        <translation>Store the settings in flash after writing.</translation>
    </message>
    <message>
        <source>Не читать записанные команды обратно.</source>
        <translation>Do not read the written commands back.</translation>
    </message>
    <message>
        <source>нет ответа</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>короткий ответ</source>
        <translation>short answer</translation>
    </message>
    <message>
        <source>%1 не распознан</source>
        <translation>%1 not understood</translation>
    </message>
    <message>
        <source>отказ: </source>
        <translation>refused: </translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>reading</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>проверка</source>
        <translation>verifying</translation>
    </message>
    <message>
        <source>сохранение во флеш</source>
        <translation>storing in flash</translation>
    </message>
    <message>
        <source>поток</source>
        <translation>streaming</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>трекер не поддерживает: </source>
        <translation>not supported by the tracker: </translation>
    </message>
    <message>
        <source>выход из командного режима</source>
        <translation>leaving command mode</translation>
    </message>
    <message>
        <source>порт не открылся за %1 с: %2</source>
        <translation>the port did not open within %1 s: %2</translation>
    </message>
    <message>
        <source>нет командного режима за %1 с (трекер молчит или порт не тот)</source>
        <translation>no command mode after %1 s (silent tracker or wrong port)</translation>
    </message>
    <message>
        <source>не удалось войти в командный режим</source>
        <translation>cannot enter command mode</translation>
    </message>
    <message>
        <source>неполные: </source>
        <translation>incomplete: </translation>
    </message>
    <message>
        <source>трекер остался в командном режиме: для выхода нужен пароль (--password или --master)</source>
        <translation>the tracker is still in command mode: leaving it needs a password (--password or --master)</translation>
    </message>
    <message>
        <source>--register и --no-register вместе не задаются</source>
        <translation>--register and --no-register do not go together</translation>
    </message>
    <message>
        <source>журнал трекеров: %1</source>
        <translation>tracker register: %1</translation>
    </message>
    <message>
        <source>Журнал трекеров: файл SQLite или postgresql://user@host:port/dbname (по умолчанию [Register] Database= настроек, иначе журнал программы).</source>
        <translation>Tracker register: an SQLite file or postgresql://user@host:port/dbname (default: [Register] Database= of the settings, else the program&apos;s register).</translation>
    </message>
    <message>
        <source>Ничего не записывать в журнал трекеров.</source>
        <translation>Record nothing in the tracker register.</translation>
    </message>
    <message>
        <source>&apos;history&apos; не принимает аргументов</source>
        <translation>&apos;history&apos; takes no arguments</translation>
    </message>
    <message>
        <source>--since требует даты ГГГГ-ММ-ДД или времени ГГГГ-ММ-ДДTчч:мм:сс</source>
        <translation>--since needs a date YYYY-MM-DD or a time YYYY-MM-DDThh:mm:ss</translation>
    </message>
    <message>
        <source>Выводит события журнала трекеров, старые первыми: по строке (или объекту JSON) на событие с номером, временем, трекером, действием, результатом, портом, стендом, оператором и изменёнными значениями.</source>
        <translation>Prints the events of the tracker register, oldest first: one line (or JSON object) per event with its number, time, tracker, action, result, port, bench, operator and the values changed.</translation>
    </message>
    <message>
        <source>Только события этого трекера (IMEI, а у неопознанного серийный номер адаптера).</source>
        <translation>Only the events of this tracker (its IMEI, or the adapter&apos;s serial number of an unidentified one).</translation>
    </message>
    <message>
        <source>Только события с этого времени (ISO 8601, UTC).</source>
        <translation>Only the events since this time (ISO 8601, UTC).</translation>
    </message>
    <message>
        <source>&apos;restore&apos; не принимает файлов</source>
        <translation>&apos;restore&apos; takes no files</translation>
    </message>
    <message>
        <source>--event требует номер события</source>
        <translation>--event needs an event number</translation>
    </message>
    <message>
        <source>--event восстанавливает один трекер</source>
        <translation>--event restores one tracker</translation>
    </message>
    <message>
        <source>&apos;restore&apos; берёт значения из журнала трекеров: --no-register не подходит</source>
        <translation>&apos;restore&apos; takes its values from the tracker register: --no-register does not fit</translation>
    </message>
    <message>
        <source>событие %1</source>
        <translation>event %1</translation>
    </message>
    <message>
        <source>Записывает в трекер значения, которые он хранил до события журнала трекеров (по умолчанию до его последней записи), той же записью, что и write: с проверками, резервной копией и чтением обратно. Событие другого трекера не записывается.</source>
        <translation>Writes back to the tracker the values it held before an event of the tracker register (default: before its last write), with the same write as write: with its checks, backup and read-back. An event of another tracker is not written.</translation>
    </message>
    <message>
        <source>Номер события журнала.</source>
        <translation>The register&apos;s event number.</translation>
    </message>
    <message>
        <source>&apos;show&apos; требует номер события</source>
        <translation>&apos;show&apos; needs an event number</translation>
    </message>
    <message>
        <source>--before и --after вместе не задаются</source>
        <translation>--before and --after do not go together</translation>
    </message>
    <message>
        <source>у события %1 нет значений после него</source>
        <translation>event %1 has no values after it</translation>
    </message>
    <message>
        <source>у события %1 нет значений до него</source>
        <translation>event %1 has no values before it</translation>
    </message>
    <message>
        <source>Сохраняет значения трекера до события (по умолчанию) или после него из журнала трекеров в файл конфигурации.</source>
        <translation>Saves the tracker&apos;s values before an event (the default) or after it from the tracker register to a configuration file.</translation>
    </message>
    <message>
        <source>Значения до события.</source>
        <translation>The values before the event.</translation>
    </message>
    <message>
        <source>Значения после события.</source>
        <translation>The values after the event.</translation>
    </message>
    <message>
        <source>Файл конфигурации для записи.</source>
        <translation>The configuration file to write.</translation>
    </message>
    <message>
        <source>Журнал трекеров, когда [Register] Database= и --register не задают другой.</source>
        <translation>The tracker register, unless [Register] Database= or --register names another.</translation>
    </message>
    <message>
        <source>Несколько портов работают одновременно, по трекеру на каждом. Параметры можно ставить до и после файлов. Каждый порт заканчивается словом ok, partial, differs, not stored, failed, interrupted или (check) unfit.</source>
        <translation>Several ports run at the same time, one tracker each. Options may stand before or after the file arguments. Each port ends ok, partial, differs, not stored, failed, interrupted or (check) unfit.</translation>
    </message>
    <message>
        <source>--seconds требует числа секунд от 1 до %1</source>
        <translation>--seconds needs a number of seconds from 1 to %1</translation>
    </message>
    <message>
        <source>&apos;check&apos; требует ровно один --port</source>
        <translation>&apos;check&apos; needs exactly one --port</translation>
    </message>
    <message>
        <source>&apos;check&apos; не принимает файлов</source>
        <translation>&apos;check&apos; takes no file</translation>
    </message>
    <message>
        <source>--%1 печатается только в отчёте: нужен --report</source>
        <translation>--%1 is printed only in the report: --report is needed</translation>
    </message>
    <message>
        <source>Трекер: %1, ID %2, IMEI %3, ПО %4</source>
        <translation>Tracker: %1, ID %2, IMEI %3, firmware %4</translation>
    </message>
    <message>
        <source>Заключение: </source>
        <translation>Verdict: </translation>
    </message>
    <message>
        <source>Проверка установки: запускает поток состояния и судит отчёты трекера по критериям окна (пороги из раздела [Check] файла настроек), пока все включённые критерии не станут нормой или не пройдут N секунд; печатает по строке на критерий и заключение (или один объект JSON). Код выхода 0 только для &quot;Годен&quot;.</source>
        <translation>Installation check: starts the status stream and judges the tracker&apos;s reports by the window&apos;s criteria (thresholds from the section [Check] of the settings file) until every criterion switched on holds or N seconds have passed; prints one line per criterion and the verdict (or one JSON object). Exit status 0 only for &quot;Fit&quot;.</translation>
    </message>
    <message>
        <source>Проверять не дольше N секунд (по умолчанию 120).</source>
        <translation>Check for at most N seconds (default 120).</translation>
    </message>
    <message>
        <source>Не проверять зажигание (стенд без ключа).</source>
        <translation>Do not check the ignition (a bench without a key).</translation>
    </message>
    <message>
        <source>Протокол проверки в PDF: трекер, критерии, заключение, графики, последняя позиция.</source>
        <translation>The check&apos;s report as PDF: tracker, criteria, verdict, plots, last position.</translation>
    </message>
    <message>
        <source>Госномер машины для протокола.</source>
        <translation>The vehicle&apos;s plate for the report.</translation>
    </message>
    <message>
        <source>VIN машины для протокола.</source>
        <translation>The vehicle&apos;s VIN for the report.</translation>
    </message>
    <message>
        <source>Установщик для протокола.</source>
        <translation>The installer for the report.</translation>
    </message>
    <message>
        <source>нет права записи</source>
        <translation>not writable</translation>
    </message>
</context>
<context>
    <name>TColorList</name>
    <message>
        <source>Чёрный</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Бордовый</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>Зелёный</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Оливковый</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Тёмно-синий</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>Пурпурный</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Сине-зелёный</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Серый</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>Серебристый</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>Красный</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Лайм</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>Жёлтый</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Синий</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Фуксия</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Морская волна</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>Белый</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Денежно-зелёный</source>
        <translation>Money Green</translation>
    </message>
    <message>
        <source>Небесно-голубой</source>
        <translation>Sky Blue</translation>
    </message>
    <message>
        <source>Кремовый</source>
        <translation>Cream</translation>
    </message>
    <message>
        <source>Средне-серый</source>
        <translation>Medium Gray</translation>
    </message>
    <message>
        <source>Фон окна</source>
        <translation>Window background</translation>
    </message>
    <message>
        <source>Текст окна</source>
        <translation>Window text</translation>
    </message>
    <message>
        <source>Фон поля ввода</source>
        <translation>Input background</translation>
    </message>
    <message>
        <source>Чередующийся фон</source>
        <translation>Alternate background</translation>
    </message>
    <message>
        <source>Текст поля ввода</source>
        <translation>Input text</translation>
    </message>
    <message>
        <source>Текст-заполнитель</source>
        <translation>Placeholder text</translation>
    </message>
    <message>
        <source>Фон подсказки</source>
        <translation>Hint background</translation>
    </message>
    <message>
        <source>Текст подсказки</source>
        <translation>Hint text</translation>
    </message>
    <message>
        <source>Кнопка</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>Текст кнопки</source>
        <translation>Button text</translation>
    </message>
    <message>
        <source>Яркий текст</source>
        <translation>Bright text</translation>
    </message>
    <message>
        <source>Светлая грань</source>
        <translation>Light edge</translation>
    </message>
    <message>
        <source>Полусветлая грань</source>
        <translation>Midlight edge</translation>
    </message>
    <message>
        <source>Средняя грань</source>
        <translation>Mid edge</translation>
    </message>
    <message>
        <source>Тёмная грань</source>
        <translation>Dark edge</translation>
    </message>
    <message>
        <source>Тень</source>
        <translation>Shadow</translation>
    </message>
    <message>
        <source>Выделение</source>
        <translation>Highlight</translation>
    </message>
    <message>
        <source>Выделенный текст</source>
        <translation>Highlighted text</translation>
    </message>
    <message>
        <source>Ссылка</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Посещённая ссылка</source>
        <translation>Visited link</translation>
    </message>
    <message>
        <source>Другой (%1)</source>
        <translation>Other (%1)</translation>
    </message>
</context>
<context>
    <name>TConfigLoader</name>
    <message>
        <source>Ошибка в данных 1</source>
        <translation>Data error 1</translation>
    </message>
    <message>
        <source>Ошибка в данных 2</source>
        <translation>Data error 2</translation>
    </message>
    <message>
        <source>Ошибка в данных 3</source>
        <translation>Data error 3</translation>
    </message>
    <message>
        <source>Команда %1 не найдена</source>
        <translation>Command %1 not found</translation>
    </message>
    <message>
        <source>Ошибка в данных - элемент вне команды</source>
        <translation>Data error - element outside a command</translation>
    </message>
    <message>
        <source>Ошибка в данных - отрицательный индекс команды </source>
        <translation>Data error - negative index of command </translation>
    </message>
    <message>
        <source>Ошибка в данных - превышен индекс команды </source>
        <translation>Data error - index too large for command </translation>
    </message>
    <message>
        <source>Ошибка в данных - отрицательный номер параметра команды </source>
        <translation>Data error - negative parameter number of command </translation>
    </message>
    <message>
        <source>Ошибка в данных - превышен номер параметра команды </source>
        <translation>Data error - parameter number too large for command </translation>
    </message>
    <message>
        <source>Ошибка - не найден выключатель</source>
        <translation>Error - switch not found</translation>
    </message>
    <message>
        <source>Ошибка - не найден элемент ввода</source>
        <translation>Error - input control not found</translation>
    </message>
    <message>
        <source>Неизвестный тип параметра команды </source>
        <translation>Unknown parameter type of command </translation>
    </message>
    <message>
        <source>Значение выходит за рамки диапазона: </source>
        <translation>Value out of range: </translation>
    </message>
    <message>
        <source>Значение не соответствует маске: </source>
        <translation>Value does not match the mask: </translation>
    </message>
    <message>
        <source>Значение не в списке допустимых: </source>
        <translation>Value is not in the list of allowed values: </translation>
    </message>
</context>
<context>
    <name>THexEdit</name>
    <message>
        <source>Invalid input value.  Use escape key to abandon changes</source>
        <translation>Invalid input value.  Use escape key to abandon changes</translation>
    </message>
</context>
<context>
    <name>TInstallCheck</name>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>модем</source>
        <translation>modem</translation>
    </message>
    <message>
        <source>акселерометр</source>
        <translation>accelerometer</translation>
    </message>
    <message>
        <source>GPS/GLONASS</source>
        <translation>GPS/GLONASS</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>нет отчёта</source>
        <translation>no report</translation>
    </message>
    <message>
        <source>все узлы OK</source>
        <translation>all parts OK</translation>
    </message>
    <message>
        <source>захват %1, спутников %2</source>
        <translation>fix %1, satellites %2</translation>
    </message>
    <message>
        <source>, держится %1 с</source>
        <translation>, held %1 s</translation>
    </message>
    <message>
        <source>, держится %1 из %2 с</source>
        <translation>, held %1 of %2 s</translation>
    </message>
    <message>
        <source>%1; GPRS: %2; сервер: %3; сигнал: %4</source>
        <translation>%1; GPRS: %2; server: %3; signal: %4</translation>
    </message>
    <message>
        <source>нет данных</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>%1 В</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 В, допустимо %2…%3 В</source>
        <translation>%1 V, allowed %2…%3 V</translation>
    </message>
    <message>
        <source>включалось и выключалось</source>
        <translation>switched on and off</translation>
    </message>
    <message>
        <source>включено, ждём выключения</source>
        <translation>on, waiting for off</translation>
    </message>
    <message>
        <source>выключено, ждём включения</source>
        <translation>off, waiting for on</translation>
    </message>
    <message>
        <source>к отправке: %1 → %2</source>
        <translation>to send: %1 → %2</translation>
    </message>
    <message>
        <source>не проверяется</source>
        <translation>not checked</translation>
    </message>
    <message>
        <source>нет отчётов трекера</source>
        <translation>no reports from the tracker</translation>
    </message>
    <message>
        <source>Самотестирование</source>
        <translation>Self-test</translation>
    </message>
    <message>
        <source>Навигация</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>Питание</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Зажигание</source>
        <translation>Ignition</translation>
    </message>
    <message>
        <source>Память</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>ожидание</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>норма</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>не норма</source>
        <translation>fail</translation>
    </message>
    <message>
        <source>выключен</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Годен</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Не годен</source>
        <translation>Not fit</translation>
    </message>
</context>
<context>
    <name>TLogPaneMenu</name>
    <message>
        <source>Текстовые файлы (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Сохранить протокол...</source>
        <translation>Save log...</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Не могу сохранить протокол, ошибка=</source>
        <translation>Cannot save the log, error=</translation>
    </message>
</context>
<context>
    <name>TParamFindBar</name>
    <message>
        <source>Найти:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Часть имени команды или описания параметра; Enter - следующее</source>
        <translation>Part of a command name or a parameter description; Enter - next</translation>
    </message>
    <message>
        <source>Закрыть поиск</source>
        <translation>Close the search</translation>
    </message>
    <message>
        <source>Не найдено</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>%1 из %2</source>
        <translation>%1 of %2</translation>
    </message>
</context>
<context>
    <name>TPortDiagnosis</name>
    <message>
        <source>Порт занят службой ModemManager (pid %1): она проверяет, не модем ли это. Установите правило udev программы (%2) или остановите службу: sudo systemctl stop ModemManager.</source>
        <translation>The port is held by the ModemManager service (pid %1), which is checking whether it is a modem. Install the program&apos;s udev rule (%2) or stop the service: sudo systemctl stop ModemManager.</translation>
    </message>
    <message>
        <source>Порт занят программой brltty (pid %1) для брайлевских дисплеев. Если она не нужна, удалите её: sudo apt remove brltty.</source>
        <translation>The port is held by brltty (pid %1), the Braille display program. If you do not need it, remove it: sudo apt remove brltty.</translation>
    </message>
    <message>
        <source>без имени</source>
        <translation>unnamed</translation>
    </message>
    <message>
        <source>Порт занят процессом %1 (pid %2): закройте эту программу.</source>
        <translation>The port is held by process %1 (pid %2): close that program.</translation>
    </message>
    <message>
        <source>Нет доступа к %1: вы уже в группе «%2», но этот сеанс начат раньше. Выйдите из системы и войдите снова.</source>
        <translation>No access to %1: you are already in group &quot;%2&quot;, but this session started before that. Log out and log in again.</translation>
    </message>
    <message>
        <source>Нет доступа к %1: порт принадлежит группе «%2», а вы в неё не входите. Выполните: sudo usermod -aG %2 %3 — и войдите в систему заново.</source>
        <translation>No access to %1: the port belongs to group &quot;%2&quot; and you are not in it. Run: sudo usermod -aG %2 %3, then log out and log in again.</translation>
    </message>
    <message>
        <source>Нет доступа к %1: права %2, группа «%3».</source>
        <translation>No access to %1: mode %2, group &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>Правило udev программы (%1) не установлено: с ним порт USB-адаптера доступен вошедшему пользователю.</source>
        <translation>The program&apos;s udev rule (%1) is not installed: with it, a USB adapter&apos;s port is open to the logged-in user.</translation>
    </message>
    <message>
        <source>Порта %1 нет, и других последовательных портов в системе тоже нет.</source>
        <translation>There is no port %1, and no other serial port in the system either.</translation>
    </message>
    <message>
        <source>Порта %1 нет. Есть порты: %2.</source>
        <translation>There is no port %1. Ports present: %2.</translation>
    </message>
    <message>
        <source>Адаптер %1 подключён, но порта у него нет: его забрала программа brltty (pid %2) для брайлевских дисплеев. Если она не нужна, удалите её: sudo apt remove brltty — и переподключите адаптер.</source>
        <translation>Adapter %1 is plugged in but has no port: brltty (pid %2), the Braille display program, took it. If you do not need it, remove it: sudo apt remove brltty, then plug the adapter in again.</translation>
    </message>
    <message>
        <source>Адаптер %1 подключён, но порта у него нет: драйвер к нему не подключился.</source>
        <translation>Adapter %1 is plugged in but has no port: no driver has bound to it.</translation>
    </message>
    <message>
        <source>И ещё процессов: %1.</source>
        <translation>And %1 more processes.</translation>
    </message>
    <message>
        <source>Порт заблокирован файлом %1 процесса %2 (pid %3): закройте эту программу.</source>
        <translation>The port is locked by file %1 of process %2 (pid %3): close that program.</translation>
    </message>
    <message>
        <source>Остался устаревший файл блокировки %1 (процесса %2 уже нет). Удалите его: sudo rm %1</source>
        <translation>A stale lock file %1 is left over (process %2 is gone). Remove it: sudo rm %1</translation>
    </message>
    <message>
        <source>без номера</source>
        <translation>no pid</translation>
    </message>
    <message>
        <source>Порт занят, а чей процесс его держит, видно только root. Работает служба ModemManager (pid %1), которая проверяет новые порты: установите правило udev программы (%2) или остановите её: sudo systemctl stop ModemManager.</source>
        <translation>The port is busy, and only root can see which process holds it. The ModemManager service (pid %1) is running and checks new ports: install the program&apos;s udev rule (%2) or stop it: sudo systemctl stop ModemManager.</translation>
    </message>
</context>
<context>
    <name>TProfileCheck</name>
    <message>
        <source>параметр %1 %2</source>
        <translation>parameter %1 %2</translation>
    </message>
    <message>
        <source>имя не из &quot;+&quot; и четырёх букв: ответы на него никогда не распознаются, и каждое чтение повторяется</source>
        <translation>the name is not &quot;+&quot; and four letters: its answers can never match, so every read is retried</translation>
    </message>
    <message>
        <source>имя не из &quot;+&quot; и четырёх букв</source>
        <translation>the name is not &quot;+&quot; and four letters</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 не число</source>
        <translation>: default %1 is not a number</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 вне %2..%3</source>
        <translation>: default %1 is outside %2..%3</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 не шестнадцатеричное число</source>
        <translation>: default %1 is not a hexadecimal number</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 длиннее %2 символов</source>
        <translation>: default %1 is longer than %2 characters</translation>
    </message>
    <message>
        <source>: маска проверки %1 неверна (%2)</source>
        <translation>: leave mask %1 is invalid (%2)</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 не проходит маску проверки %2</source>
        <translation>: default %1 fails its leave mask %2</translation>
    </message>
    <message>
        <source>: список вариантов пуст</source>
        <translation>: option list without options</translation>
    </message>
    <message>
        <source>: значение по умолчанию %1 не совпадает ни с одним вариантом</source>
        <translation>: default %1 matches no option</translation>
    </message>
    <message>
        <source>параметр %1 %2: неизвестный тип %3, читается как строка</source>
        <translation>parameter %1 %2: unknown type %3, read as a string</translation>
    </message>
    <message>
        <source>в профиле нет страниц</source>
        <translation>the profile holds no pages</translation>
    </message>
    <message>
        <source>страница %1</source>
        <translation>page %1</translation>
    </message>
    <message>
        <source>на странице %1 нет команд</source>
        <translation>page %1 holds no commands</translation>
    </message>
    <message>
        <source>страница %1, команда %2</source>
        <translation>page %1, command %2</translation>
    </message>
    <message>
        <source>имя встречается дважды (%1 и %2); действует последнее</source>
        <translation>the name is used twice (%1 and %2); the later one wins</translation>
    </message>
</context>
<context>
    <name>TReadOperation</name>
    <message>
        <source>Значения команды %1 прочитаны не все</source>
        <translation>Not all values of command %1 were read</translation>
    </message>
</context>
<context>
    <name>TRegister</name>
    <message>
        <source>(не опознан)</source>
        <translation>(unidentified)</translation>
    </message>
    <message>
        <source>В журнал трекеров %1 отправлены события, сохранённые ранее на этом компьютере: %2</source>
        <translation>Events kept earlier on this computer sent to the tracker register %1: %2</translation>
    </message>
    <message>
        <source>Событие не записано в журнал трекеров %1: %2</source>
        <translation>The event was not recorded in the tracker register %1: %2</translation>
    </message>
    <message>
        <source>Журнал трекеров %1 недоступен (%2): событие сохранено на этом компьютере, ждут отправки: %3</source>
        <translation>The tracker register %1 is unreachable (%2): the event is kept on this computer, waiting to be sent: %3</translation>
    </message>
    <message>
        <source>Ждут отправки в журнал трекеров %1: %2 (%3)</source>
        <translation>Waiting to be sent to the tracker register %1: %2 (%3)</translation>
    </message>
    <message>
        <source>Журнал трекеров ведёт более новая версия программы (схема %1, эта программа знает %2): обновите программу</source>
        <translation>The tracker register is kept by a newer version of the program (schema %1, this program knows %2): update the program</translation>
    </message>
    <message>
        <source>Не удалось перевести журнал трекеров на схему %1: %2</source>
        <translation>Could not bring the tracker register to schema %1: %2</translation>
    </message>
    <message>
        <source>Нет драйвера SQLite для Qt (пакет libqt6sql6-sqlite)</source>
        <translation>No SQLite driver for Qt (package libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>Не удалось создать папку журнала трекеров %1</source>
        <translation>Could not create the tracker register&apos;s folder %1</translation>
    </message>
    <message>
        <source>Не удалось открыть журнал трекеров %1: %2</source>
        <translation>Could not open the tracker register %1: %2</translation>
    </message>
    <message>
        <source>Нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)</source>
        <translation>No PostgreSQL driver for Qt (package libqt6sql6-psql)</translation>
    </message>
    <message>
        <source>Не удалось подключиться к журналу трекеров %1: %2</source>
        <translation>Could not connect to the tracker register %1: %2</translation>
    </message>
    <message>
        <source>В журнале трекеров нет события %1</source>
        <translation>The tracker register holds no event %1</translation>
    </message>
    <message>
        <source>Журнал трекеров отключён</source>
        <translation>The tracker register is off</translation>
    </message>
    <message>
        <source>В журнале трекеров нет записи в трекер %1</source>
        <translation>The tracker register holds no write to tracker %1</translation>
    </message>
    <message>
        <source>У события %1 нет значений до него</source>
        <translation>Event %1 holds no values from before it</translation>
    </message>
    <message>
        <source>Событие %1 относится к трекеру %2, а на порту трекер %3</source>
        <translation>Event %1 belongs to tracker %2, but the tracker on the port is %3</translation>
    </message>
    <message>
        <source>Значения события %1 не читаются: %2</source>
        <translation>The values of event %1 cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>TRegisterLocation</name>
    <message>
        <source>Неверный адрес базы журнала: %1</source>
        <translation>Invalid register database address: %1</translation>
    </message>
    <message>
        <source>Неверный порт в адресе базы журнала: %1</source>
        <translation>Invalid port in the register database address: %1</translation>
    </message>
    <message>
        <source>Неверный параметр в адресе базы журнала: %1</source>
        <translation>Invalid parameter in the register database address: %1</translation>
    </message>
    <message>
        <source>В адресе базы журнала нет имени базы (postgresql://пользователь@сервер:порт/база): %1</source>
        <translation>The register database address names no database (postgresql://user@host:port/dbname): %1</translation>
    </message>
    <message>
        <source>Не указано, где вести журнал трекеров</source>
        <translation>No place for the tracker register is given</translation>
    </message>
    <message>
        <source>Журнал трекеров ведётся в файле SQLite (путь) или в базе PostgreSQL (postgresql://...), а не %1://</source>
        <translation>The tracker register is kept in an SQLite file (a path) or a PostgreSQL database (postgresql://...), not %1://</translation>
    </message>
</context>
<context>
    <name>TRegisterUnitsModel</name>
    <message>
        <source>чтение</source>
        <translation>read</translation>
    </message>
    <message>
        <source>копия перед записью</source>
        <translation>backup before writing</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>write</translation>
    </message>
    <message>
        <source>сохранение во флэш</source>
        <translation>store in flash</translation>
    </message>
    <message>
        <source>восстановление</source>
        <translation>restore</translation>
    </message>
    <message>
        <source>успешно</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>частично</source>
        <translation>partial</translation>
    </message>
    <message>
        <source>расходится</source>
        <translation>differs</translation>
    </message>
    <message>
        <source>не сохранено</source>
        <translation>not stored</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>%1 (не опознан)</source>
        <translation>%1 (unidentified)</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Прошивка</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Последний раз</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <source>Последнее действие</source>
        <translation>Last action</translation>
    </message>
</context>
<context>
    <name>TRepeatedLog</name>
    <message>
        <source>%1 (повторено %2 раз)</source>
        <translation>%1 (repeated %2 times)</translation>
    </message>
</context>
<context>
    <name>TUnsupportedLook</name>
    <message>
        <source>Команда не поддерживается трекером</source>
        <translation>The tracker does not support this command</translation>
    </message>
</context>
<context>
    <name>TValueGuard</name>
    <message>
        <source>Команда %1 не отправлена: значение параметра %2 (%3) содержит управляющий символ</source>
        <translation>Command %1 not sent: the value of parameter %2 (%3) holds a control character</translation>
    </message>
    <message>
        <source>Команда %1 не отправлена: значение параметра %2 (%3) содержит запятую или кавычку</source>
        <translation>Command %1 not sent: the value of parameter %2 (%3) holds a comma or a double quote</translation>
    </message>
</context>
<context>
    <name>TWireValue</name>
    <message>
        <source>выключен</source>
        <translation>off</translation>
    </message>
</context>
<context>
    <name>TWriteCheck</name>
    <message>
        <source>Трекер не принял значение: %1%2, %3: отправлено &quot;%4&quot;, в трекере &quot;%5&quot;</source>
        <translation>The tracker did not take a value: %1%2, %3: sent &quot;%4&quot;, the tracker holds &quot;%5&quot;</translation>
    </message>
    <message>
        <source>Трекер не подтвердил запись: %1%2</source>
        <translation>The tracker did not confirm the write: %1%2</translation>
    </message>
    <message>
        <source>Запись окончена, не принято трекером значений: %1, не подтверждено: %2</source>
        <translation>Write finished, values not taken by the tracker: %1, not confirmed: %2</translation>
    </message>
</context>
<context>
    <name>TWriteOperation</name>
    <message>
        <source>Запись отменена: значения %1 в трекере не прочитаны, а записываемые не задают всю строку</source>
        <translation>Write cancelled: the values of %1 in the tracker were not read, and the values to write do not make the whole row</translation>
    </message>
    <message>
        <source>Запись отменена: у параметра %2 (%3) команды %1 нет значения ни в записываемых, ни в трекере</source>
        <translation>Write cancelled: parameter %2 (%3) of command %1 has a value neither among the values to write nor in the tracker</translation>
    </message>
</context>
<context>
    <name>TfmCompare</name>
    <message>
        <source>Сравнение значений</source>
        <translation>Comparison of values</translation>
    </message>
    <message>
        <source>Выбрать все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Перенести выбранные</source>
        <translation>Transfer selected</translation>
    </message>
    <message>
        <source>Поставить отмеченные значения на страницы</source>
        <translation>Put the checked values onto the pages</translation>
    </message>
    <message>
        <source>Записать выбранные</source>
        <translation>Write selected</translation>
    </message>
    <message>
        <source>Записать в трекер строки команд с отмеченными значениями</source>
        <translation>Write the command rows holding the checked values to the tracker</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Страница</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>На странице</source>
        <translation>On the page</translation>
    </message>
    <message>
        <source>Сравнено: %1, различается: %2, нет в профиле: %3, не прочитано: %4</source>
        <translation>Compared: %1, differing: %2, not in the profile: %3, not readable: %4</translation>
    </message>
</context>
<context>
    <name>TfmDeviceInfo</name>
    <message>
        <source>Состояние устройства</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>Начать обмен</source>
        <translation>Start exchange</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Подключение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>COM-порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Скорость порта</source>
        <translation>Port speed</translation>
    </message>
    <message>
        <source>Командный режим</source>
        <translation>Command mode</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ID блока</source>
        <translation>Unit ID</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Время работы</source>
        <translation>Uptime</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>Регистрация в сети</source>
        <translation>Network registration</translation>
    </message>
    <message>
        <source>GPRS</source>
        <translation>GPRS</translation>
    </message>
    <message>
        <source>Соединение с сервером</source>
        <translation>Server connection</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Signal level</translation>
    </message>
    <message>
        <source>Активный сервер</source>
        <translation>Active server</translation>
    </message>
    <message>
        <source>Точка доступа</source>
        <translation>Access point</translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Memory status</translation>
    </message>
    <message>
        <source>Указатель чтения</source>
        <translation>Read pointer</translation>
    </message>
    <message>
        <source>Указатель записи</source>
        <translation>Write pointer</translation>
    </message>
    <message>
        <source>Объем памяти</source>
        <translation>Memory size</translation>
    </message>
    <message>
        <source>Занято памяти, байт</source>
        <translation>Memory used, bytes</translation>
    </message>
    <message>
        <source>Занято памяти, %</source>
        <translation>Memory used, %</translation>
    </message>
    <message>
        <source>Слотов отправки</source>
        <translation>Slots to send</translation>
    </message>
    <message>
        <source>Слотов свободно</source>
        <translation>Free slots</translation>
    </message>
    <message>
        <source>Переполнение памяти, возможна потеря данных</source>
        <translation>Memory overflow, data may be lost</translation>
    </message>
    <message>
        <source>Датчики</source>
        <translation>Sensors</translation>
    </message>
    <message>
        <source>Дискретные</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>Вход 1, частота</source>
        <translation>Input 1, frequency</translation>
    </message>
    <message>
        <source>Вход 1, счетчик</source>
        <translation>Input 1, counter</translation>
    </message>
    <message>
        <source>Вход 2, частота</source>
        <translation>Input 2, frequency</translation>
    </message>
    <message>
        <source>Вход 2, счетчик</source>
        <translation>Input 2, counter</translation>
    </message>
    <message>
        <source>Вход 3, счетчик</source>
        <translation>Input 3, counter</translation>
    </message>
    <message>
        <source>Реле 1</source>
        <translation>Relay 1</translation>
    </message>
    <message>
        <source>Дискретный</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>Остановка по акселерометру</source>
        <translation>Stop by accelerometer</translation>
    </message>
    <message>
        <source>Зажигание</source>
        <translation>Ignition</translation>
    </message>
    <message>
        <source>Аналоговые</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Аналоговый вход 1</source>
        <translation>Analog input 1</translation>
    </message>
    <message>
        <source>Напряжение питания</source>
        <translation>Supply voltage</translation>
    </message>
    <message>
        <source>Напряжение на аккумуляторе</source>
        <translation>Battery voltage</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Акселерометр</source>
        <translation>Accelerometer</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Счетчик спящего режима</source>
        <translation>Sleep mode counter</translation>
    </message>
    <message>
        <source>Навигация</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Широта</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Долгота</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Показать на карте</source>
        <translation>Show on map</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Спутники</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>Захват</source>
        <translation>Fix</translation>
    </message>
    <message>
        <source>Азимут</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>Время (GPS)</source>
        <translation>Time (GPS)</translation>
    </message>
    <message>
        <source>Дата (GPS)</source>
        <translation>Date (GPS)</translation>
    </message>
    <message>
        <source>Заморозка координат по акселерометру</source>
        <translation>Freeze position by accelerometer</translation>
    </message>
    <message>
        <source>Заморозка координат по зажиганию</source>
        <translation>Freeze position by ignition</translation>
    </message>
    <message>
        <source>Координаты заморожены</source>
        <translation>Position frozen</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Flash-память</source>
        <translation>Flash memory</translation>
    </message>
    <message>
        <source>FlashID</source>
        <translation>FlashID</translation>
    </message>
    <message>
        <source>GPS/GLONASS</source>
        <translation>GPS/GLONASS</translation>
    </message>
    <message>
        <source>GSM-модем</source>
        <translation>GSM modem</translation>
    </message>
    <message>
        <source>SIM-статус</source>
        <translation>SIM status</translation>
    </message>
    <message>
        <source>SIM не готова</source>
        <translation>SIM not ready</translation>
    </message>
    <message>
        <source>Требуется PIN</source>
        <translation>PIN required</translation>
    </message>
    <message>
        <source>Требуется PUK</source>
        <translation>PUK required</translation>
    </message>
    <message>
        <source>Ошибка SIM</source>
        <translation>SIM error</translation>
    </message>
    <message>
        <source>Домашняя сеть</source>
        <translation>Home network</translation>
    </message>
    <message>
        <source>Роуминг</source>
        <translation>Roaming</translation>
    </message>
    <message>
        <source>Нет регистрации</source>
        <translation>Not registered</translation>
    </message>
    <message>
        <source>Не активно</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <source>Активно</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Замкнуто</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Разомкнуто</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>В движении</source>
        <translation>Moving</translation>
    </message>
    <message>
        <source>Зафиксирована</source>
        <translation>Stationary</translation>
    </message>
    <message>
        <source>Выключено</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Включено</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Неактивна</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <source>Активна</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Не заморожены</source>
        <translation>Not frozen</translation>
    </message>
    <message>
        <source>Заморожены</source>
        <translation>Frozen</translation>
    </message>
    <message>
        <source>Закрытие</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>Подключено</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Plots</translation>
    </message>
    <message>
        <source>Отчёт о проверке сохранён: %1</source>
        <translation>Check report saved: %1</translation>
    </message>
    <message>
        <source>Сохранить отчёт</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
</context>
<context>
    <name>TfmDeviceReconnect</name>
    <message>
        <source>Ожидание устройства</source>
        <translation>Waiting for the device</translation>
    </message>
    <message>
        <source>Идет подключение ждите</source>
        <translation>Connecting, please wait</translation>
    </message>
    <message>
        <source>Повтор через</source>
        <translation>Retry in</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Подключение через </source>
        <translation>Connecting in </translation>
    </message>
</context>
<context>
    <name>TfmMain</name>
    <message>
        <source>Файлы настроек (*.zxml)</source>
        <translation>Settings files (*.zxml)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Протокол</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Загрузить конфигурацию из файла</source>
        <translation>Load configuration from file</translation>
    </message>
    <message>
        <source>Сохранить конфигурацию в файл</source>
        <translation>Save configuration to file</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Связь</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Параметры связи с трекером...</source>
        <translation>Tracker connection settings...</translation>
    </message>
    <message>
        <source>Установить связь с трекером</source>
        <translation>Connect to the tracker</translation>
    </message>
    <message>
        <source>Сохранить настройки в энергонезависимой памяти</source>
        <translation>Store settings in non-volatile memory</translation>
    </message>
    <message>
        <source>Состояние устройства</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>Выйти из командного режима</source>
        <translation>Leave command mode</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Не могу открыть порт, исключение=</source>
        <translation>Cannot open the port, exception=</translation>
    </message>
    <message>
        <source>Команда +TEXT не описана!</source>
        <translation>Command +TEXT is not described!</translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation>Device disconnected</translation>
    </message>
    <message>
        <source>Неизвестный тип протоколирования </source>
        <translation>Unknown log kind </translation>
    </message>
    <message>
        <source>Процесс прерван на команде</source>
        <translation>Process stopped at command</translation>
    </message>
    <message>
        <source>Процесс прерван на индексе</source>
        <translation>Process stopped at index</translation>
    </message>
    <message>
        <source>Команда +SAVE не описана!</source>
        <translation>Command +SAVE is not described!</translation>
    </message>
    <message>
        <source>Неверно задан пароль</source>
        <translation>Wrong password</translation>
    </message>
    <message>
        <source>Недостаточный уровень доступа</source>
        <translation>Insufficient access level</translation>
    </message>
    <message>
        <source>Ошибка обработки параметров</source>
        <translation>Parameter processing error</translation>
    </message>
    <message>
        <source>Некорректный ответ - отсутствует параметр</source>
        <translation>Invalid answer - parameter missing</translation>
    </message>
    <message>
        <source>Трекер не в командном режиме</source>
        <translation>The tracker is not in command mode</translation>
    </message>
    <message>
        <source>Ошибка записи, записано</source>
        <translation>Write error, written</translation>
    </message>
    <message>
        <source>Ошибка чтения, исключение=</source>
        <translation>Read error, exception=</translation>
    </message>
    <message>
        <source>Ошибка передачи данных</source>
        <translation>Data transfer error</translation>
    </message>
    <message>
        <source>Повторить попытку?</source>
        <translation>Try again?</translation>
    </message>
    <message>
        <source>Не получен ожидаемый ответ на команду. </source>
        <translation>The expected answer to the command was not received. </translation>
    </message>
    <message>
        <source>Повтор</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Прекращаю попытку</source>
        <translation>Giving up</translation>
    </message>
    <message>
        <source>Не могу открыть файл, ошибка=</source>
        <translation>Cannot open the file, error=</translation>
    </message>
    <message>
        <source>Входной файл слишком велик</source>
        <translation>The input file is too large</translation>
    </message>
    <message>
        <source>Не могу создать файл, ошибка=</source>
        <translation>Cannot create the file, error=</translation>
    </message>
    <message>
        <source>Команда %1 не найдена, пропущена</source>
        <translation>Command %1 not found, skipped</translation>
    </message>
    <message>
        <source>Команда %1, параметр %2 не найден</source>
        <translation>Command %1, parameter %2 not found</translation>
    </message>
    <message>
        <source>Команда %1, неизвестный тип параметра %2</source>
        <translation>Command %1, unknown type of parameter %2</translation>
    </message>
    <message>
        <source>Неверная маска: </source>
        <translation>Invalid mask: </translation>
    </message>
    <message>
        <source>Значение не удовлетворяет маске</source>
        <translation>The value does not match the mask</translation>
    </message>
    <message>
        <source>Значение не входит заданный диапазон</source>
        <translation>The value is out of the allowed range</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Применить все</source>
        <translation>Apply all</translation>
    </message>
    <message>
        <source>Получить</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Применить страницу</source>
        <translation>Apply page</translation>
    </message>
    <message>
        <source>Получить страницу</source>
        <translation>Read page</translation>
    </message>
    <message>
        <source>Слишком много команд на странице </source>
        <translation>Too many commands on page </translation>
    </message>
    <message>
        <source>Слишком много строк или параметров в команде </source>
        <translation>Too many rows or parameters in command </translation>
    </message>
    <message>
        <source>Изменённые значения не записаны в трекер и не сохранены в файл. Выйти без записи и сохранения?</source>
        <translation>Changed values have not been written to the tracker or saved to a file. Leave without writing or saving?</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>В трекере</source>
        <translation>In the tracker</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Compare with a file...</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Найти параметр...</source>
        <translation>Find a parameter...</translation>
    </message>
    <message>
        <source>Сравнить с трекером</source>
        <translation>Compare with the tracker</translation>
    </message>
    <message>
        <source>Профиль команд загружен из %1</source>
        <translation>Command profile loaded from %1</translation>
    </message>
    <message>
        <source>Трекер не подтвердил запись в энергонезависимую память</source>
        <translation>The tracker did not confirm storing the settings in non-volatile memory</translation>
    </message>
    <message>
        <source>Команда %1 не записывается</source>
        <translation>Command %1 cannot be written</translation>
    </message>
    <message>
        <source>Журнал трекеров...</source>
        <translation>Tracker register...</translation>
    </message>
    <message>
        <source>Журнал трекеров не ведётся: %1</source>
        <translation>The tracker register is not kept: %1</translation>
    </message>
    <message>
        <source>Журнал трекеров не ведётся: в %1 неверно задан [Register] Database=</source>
        <translation>The tracker register is not kept: [Register] Database= in %1 is not valid</translation>
    </message>
    <message>
        <source>Трекер %1, IMEI %2, прошивка %3</source>
        <translation>Tracker %1, IMEI %2, firmware %3</translation>
    </message>
    <message>
        <source>Трекер не сообщил IMEI: журнал трекеров записывает его под %1</source>
        <translation>The tracker did not report its IMEI: the tracker register records it as %1</translation>
    </message>
    <message>
        <source>Запись отменена: значения трекера до неё не прочитаны</source>
        <translation>Write cancelled: the tracker&apos;s values before it could not be read</translation>
    </message>
    <message>
        <source>Значения события %1 не записаны в трекер %2: %3</source>
        <translation>The values of event %1 were not written to tracker %2: %3</translation>
    </message>
    <message>
        <source>Значения события %1 записаны в трекер %2: %3</source>
        <translation>The values of event %1 were written to tracker %2: %3</translation>
    </message>
    <message>
        <source>Журнал трекеров не записывается ([Register] Record=0 в %1)</source>
        <translation>The tracker register is not recorded ([Register] Record=0 in %1)</translation>
    </message>
</context>
<context>
    <name>TfmRegister</name>
    <message>
        <source>Журнал трекеров</source>
        <translation>Tracker register</translation>
    </message>
    <message>
        <source>IMEI, модель или прошивка</source>
        <translation>IMEI, model or firmware</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Найти:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Рабочее место</source>
        <translation>Bench</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Было</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>Стало</source>
        <translation>New</translation>
    </message>
    <message>
        <source>до события</source>
        <translation>before the event</translation>
    </message>
    <message>
        <source>после события</source>
        <translation>after the event</translation>
    </message>
    <message>
        <source>Сохранить снимок...</source>
        <translation>Save snapshot...</translation>
    </message>
    <message>
        <source>Сохранить настройки трекера до или после события в файл</source>
        <translation>Save the tracker&apos;s settings before or after the event to a file</translation>
    </message>
    <message>
        <source>Записать в трекер</source>
        <translation>Write to tracker</translation>
    </message>
    <message>
        <source>Вернуть трекеру настройки, которые он хранил до события</source>
        <translation>Give the tracker back the settings it held before the event</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Снимок:</source>
        <translation>Snapshot:</translation>
    </message>
    <message>
        <source>Файлы настроек (*.zxml)</source>
        <translation>Settings files (*.zxml)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Событие не выбрано</source>
        <translation>No event selected</translation>
    </message>
    <message>
        <source>У события %1 нет этого снимка</source>
        <translation>Event %1 has no such snapshot</translation>
    </message>
    <message>
        <source>Не удалось сохранить снимок в %1: %2</source>
        <translation>Could not save the snapshot to %1: %2</translation>
    </message>
    <message>
        <source>Записать в трекер %1 значения, которые он хранил до события %2?</source>
        <translation>Write to tracker %1 the values it held before event %2?</translation>
    </message>
</context>
<context>
    <name>TfmSettings</name>
    <message>
        <source>Настройки программы</source>
        <translation>Program settings</translation>
    </message>
    <message>
        <source>Стандартный</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Быстрый</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Контроль порта</source>
        <translation>Port watch</translation>
    </message>
    <message>
        <source>мс</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>COM-порт:</source>
        <translation>COM port:</translation>
    </message>
    <message>
        <source>Скорость порта</source>
        <translation>Port speed</translation>
    </message>
    <message>
        <source>Пароль связи</source>
        <translation>Connection password</translation>
    </message>
    <message>
        <source>Мастер-пароль</source>
        <translation>Master password</translation>
    </message>
    <message>
        <source>Таймаут общий</source>
        <translation>General timeout</translation>
    </message>
    <message>
        <source>Таймаут межсимвольный</source>
        <translation>Inter-character timeout</translation>
    </message>
    <message>
        <source>Таймаут &quot;эхо&quot;</source>
        <translation>Echo timeout</translation>
    </message>
    <message>
        <source>Количество повторов команд</source>
        <translation>Command retries</translation>
    </message>
    <message>
        <source>Вход в командный режим</source>
        <translation>Command mode entry</translation>
    </message>
    <message>
        <source>Язык:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Цвета протокола</source>
        <translation>Log colors</translation>
    </message>
    <message>
        <source>Чтение</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Ошибка чтения</source>
        <translation>Read error</translation>
    </message>
    <message>
        <source>Ошибка записи</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Прочее</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Активные вкладки</source>
        <translation>Active pages</translation>
    </message>
    <message>
        <source>Отладка-послать команду</source>
        <translation>Debug - send a command</translation>
    </message>
    <message>
        <source>Послать команду</source>
        <translation>Send command</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Завершать приём по приглашению &quot;&gt;&quot;</source>
        <translation>End answers on the &quot;&gt;&quot; prompt</translation>
    </message>
    <message>
        <source>Ответ трекера считается полученным, как только пришло приглашение &quot;&gt;&quot;, без ожидания межсимвольного таймаута</source>
        <translation>An answer is complete as soon as the tracker&apos;s &quot;&gt;&quot; prompt arrives, without waiting for the inter-character time-out</translation>
    </message>
</context>
<context>
    <name>TfmWaitingData</name>
    <message>
        <source>Установка связи</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>Идет подключение ждите</source>
        <translation>Connecting, please wait</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Уже в командном режиме</source>
        <translation>Already in command mode</translation>
    </message>
    <message>
        <source>Ошибка при связи с трекером</source>
        <translation>Error communicating with the tracker</translation>
    </message>
</context>
</TS>
