// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonDialog.h"

#include <QFileInfo>

namespace {

constexpr QChar Nul(u'\0');

QString withoutNuls(QString text)
{
    return text.remove(Nul);
}

// The text followed by a NUL, padded with NULs up to the buffer's size; a longer
// text is kept whole.
QString padded(const QString &text, int size)
{
    QString buffer = text + Nul;
    if (buffer.size() < size)
        buffer.append(QString(size - buffer.size(), Nul));
    return buffer;
}

// The dialog lists names that match a pattern; "*.*" means every file, with or
// without a dot.
QString namePattern(const QString &pattern)
{
    return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

} // namespace

CommonDialog::CommonDialog()
    : m_fileBuffer(FileBufferSize, Nul)
    , m_fileTitleBuffer(FileTitleBufferSize, Nul)
    , m_filter(2, Nul)
    , m_defaultExt(QStringLiteral("txt"))
{
}

QString CommonDialog::FileName()
{
    const QString name = withoutNuls(m_fileBuffer);
    m_fileBuffer = QString(FileBufferSize, Nul);
    return name;
}

void CommonDialog::setFileName(const QString &sFileName)
{
    m_fileBuffer = padded(sFileName, FileBufferSize);
}

QString CommonDialog::Filter() const
{
    QString filter = m_filter;
    while (filter.endsWith(Nul))
        filter.chop(1);
    return filter.replace(Nul, u'|');
}

void CommonDialog::setFilter(const QString &sFilter)
{
    m_filter = QString(sFilter).replace(u'|', Nul) + Nul + Nul;
}

QString CommonDialog::FileTitle() const
{
    return m_fileTitleBuffer;
}

void CommonDialog::setFileTitle(const QString &sFileTitle)
{
    m_fileTitleBuffer = sFileTitle;
}

QString CommonDialog::DialogTitle() const
{
    return withoutNuls(m_dialogTitle);
}

void CommonDialog::setDialogTitle(const QString &sDialogTitle)
{
    m_dialogTitle = sDialogTitle;
}

QString CommonDialog::InitDir() const
{
    return withoutNuls(m_initDir);
}

void CommonDialog::setInitDir(const QString &sInitDir)
{
    m_initDir = sInitDir + Nul;
}

QString CommonDialog::DefaultExt() const
{
    return m_defaultExt;
}

void CommonDialog::setDefaultExt(const QString &sDefaultExt)
{
    m_defaultExt = QString(sDefaultExt).remove(u'.');
}

QStringList CommonDialog::nameFilters() const
{
    // Description and pattern list alternate; the first empty text ends the list.
    const QStringList parts = m_filter.split(Nul);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QString &patternList = parts.at(i + 1);
        if (description.isEmpty() || patternList.isEmpty())
            break;
        QStringList patterns;
        for (const QString &pattern : patternList.split(u';', Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty())
                patterns.append(namePattern(pattern.trimmed()));
        }
        if (!patterns.isEmpty())
            filters.append(description + QLatin1String(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

void CommonDialog::ShowOpen()
{
    show(QFileDialog::AcceptOpen);
}

void CommonDialog::ShowSave()
{
    show(QFileDialog::AcceptSave);
}

void CommonDialog::show(QFileDialog::AcceptMode mode)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Only the descriptions are shown, as the filter's author wrote them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(m_defaultExt);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false); // saving over a file asks first
    }
    if (!DialogTitle().isEmpty())
        dialog.setWindowTitle(DialogTitle()); // else the dialog's own "Open" or "Save As"
    if (QFileInfo(InitDir()).isDir())
        dialog.setDirectory(InitDir()); // else the dialog's own choice, as for no folder at all

    const QStringList filters = nameFilters();
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }

    // A name left in the buffer is offered as the dialog's starting choice.
    const QString initialName = m_fileBuffer.section(Nul, 0, 0);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    m_fileBuffer = padded(path, FileBufferSize);
    m_fileTitleBuffer = padded(QFileInfo(path).fileName(), FileTitleBufferSize);
}

QString CommonDialog::GetFolderName(const QString &DialogTitle)
{
    return QFileDialog::getExistingDirectory(nullptr, DialogTitle, QString(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
