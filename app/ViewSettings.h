#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// A view option that is on or off, remembered under its key.
struct ViewOption
{
    const char *key;
    bool defaultValue = false;
};

// The view options the app remembers between runs, in the user's configuration
// (Verbarium/Verbarium.ini below XDG_CONFIG_HOME). A new option is one line here.
class ViewSettings
{
public:
    static constexpr ViewOption wordGap{"cloud/gapBetweenWords"};
    static constexpr ViewOption contrastColours{"cloud/contrastColours"};
    static constexpr ViewOption roomForEveryWord{"verbarium/roomForEveryWord"};
    static constexpr ViewOption contexts{"verbarium/contexts"};
    static constexpr ViewOption bothSides{"verbarium/bothSides"};
    static constexpr ViewOption keepIndexes{"indexCache/keepBetweenRuns", true};

    // The file the settings live in; the user's own when empty. One that is not a
    // small regular file of settings (a FIFO, a device, a huge or garbled file) is set
    // aside under another name, and the settings start from their defaults.
    explicit ViewSettings(const QString &fileName = {});
    ~ViewSettings();

    // What was done with a bad settings file, for the user; empty when nothing was.
    const QString &setAsideNote() const { return m_setAsideNote; }

    bool value(ViewOption option) const;
    void setValue(ViewOption option, bool on);

    static inline const QString ownListChoice = QStringLiteral("own");

    // The common words the cloud leaves out: a language code, ownListChoice for the
    // user's own list, or empty for none.
    QString leftOutWords() const;
    void setLeftOutWords(const QString &choice);

    // How many bytes the kept indexes may take.
    qint64 indexCacheSize() const;
    void setIndexCacheSize(qint64 bytes);

    // The files and folders opened lately, most recent first: each entry what was
    // opened at once.
    QList<QStringList> recentSources() const;
    void setRecentSources(const QList<QStringList> &entries);

    // The user's own list of words to leave out, a plain file beside the settings.
    QString ownListPath() const;

    // Writes what changed now rather than when the event loop comes to it.
    void save() { m_settings->sync(); }

private:
    // The file QSettings can be given: the settings file, or a stand-in when a bad one
    // could not be moved away.
    QString usableFile();

    QString m_fileName;
    QString m_setAsideNote;
    std::unique_ptr<QSettings> m_settings;
};
