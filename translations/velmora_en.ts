<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Settings</name>
    <message>
        <source>Unable to write to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разработка: лаборатория телематики «Северный ветер»
© 2009–2026. Все права защищены.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мы разрабатываем встроенное программное обеспечение GPS/GSM-трекеров, системы мониторинга транспорта и программы настройки оборудования по заказу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Общество с ограниченной ответственностью
«ТрекЛайн Дистрибуция»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>По вопросам технической поддержки обращаться</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmDeviceInfo</name>
    <message>
        <source>Состояние устройства</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmDeviceReconnect</name>
    <message>
        <source>Ожидание устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идет подключение ждите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повтор через</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключение через </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmMain</name>
    <message>
        <source>Файлы настроек (*.zxml)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Протокол</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить конфигурацию из файла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить конфигурацию в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры связи с трекером...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить связь с трекером</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить настройки в энергонезависимой памяти</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Состояние устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выйти из командного режима</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не могу открыть порт, исключение=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда +TEXT не описана!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неизвестный тип протоколирования </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Процесс прерван на команде</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Процесс прерван на индексе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда +SAVE не описана!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неверно задан пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недостаточный уровень доступа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка обработки параметров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Некорректный ответ - отсутствует параметр</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Трекер не в командном режиме</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка записи, записано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка чтения, исключение=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка передачи данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повторить попытку?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не получен ожидаемый ответ на команду. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повтор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прекращаю попытку</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmSettings</name>
    <message>
        <source>Настройки программы</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmWaitingData</name>
    <message>
        <source>Установка связи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идет подключение ждите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уже в командном режиме</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка при связи с трекером</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
