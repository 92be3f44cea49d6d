// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_messages.h"

#include "workspace_paths.h"

using namespace Qt::Literals::StringLiterals;

namespace workspace::messages {

QString cannotRead(const QString& path, const QString& reason)
{
    return u"ファイル「%1」を読み込めません。\n%2"_s.arg(displayPath(path), reason);
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return u"ファイル「%1」を保存できません。元のファイルは変更していません。\n%2"_s.arg(
        displayPath(path), reason);
}

QString badLine(const QString& path, int lineNumber, const QString& problem)
{
    return u"ファイル「%1」の%2行目が正しくありません。\n%3"_s.arg(
        displayPath(path), QString::number(lineNumber), problem);
}

QString cannotConfirmOnDisk(const QString& path, const QString& reason)
{
    return u"「%1」への保存がディスクに書き込まれたことを確認できません。\n%2"_s.arg(
        displayPath(path), reason);
}

QString cannotCreateFolder(const QString& path)
{
    return u"フォルダ「%1」を作成できません。"_s.arg(displayPath(path));
}

QString cannotDelete(const QString& path)
{
    return u"ファイル「%1」を削除できません。"_s.arg(displayPath(path));
}

QString writeStoppedShort()
{
    return u"書き込みが途中で止まりました。ディスクの空きが足りない可能性があります。"_s;
}

} // namespace workspace::messages
