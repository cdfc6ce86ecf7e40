#pragma once

#include "files/ProgramDirectory.h"
#include "settings/SettingsController.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A settings file as this program writes it, with the given "SpecialNumbers" attributes.
inline QByteArray settingsXml(const QByteArray& attributes, const QByteArray& language = "1")
{
    return "<?xml version='1.0' encoding='iso-8859-9'?>\n<Ayarlar language=\"" + language + "\">\n\t<SpecialNumbers " +
           attributes + " />\n</Ayarlar>\n";
}

// Runs every test in its own program directory.
class SettingsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        setProgramDirectory(m_dir.path());
    }
    void TearDown() override { setProgramDirectory(QString()); }

    QString settingsPath() const { return m_dir.filePath(QStringLiteral("settings.xml")); }
    bool settingsExists() const { return QFile::exists(settingsPath()); }

    void writeSettings(const QByteArray& bytes) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray settingsBytes() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The attributes of "SpecialNumbers" in the file on disk, in file order.
    std::vector<std::pair<std::string, std::string>> storedAttributes() const
    {
        const QByteArray bytes = settingsBytes();
        pugi::xml_document document;
        EXPECT_TRUE(document.load_buffer(bytes.constData(), size_t(bytes.size())));
        std::vector<std::pair<std::string, std::string>> attributes;
        for (const pugi::xml_attribute& attribute : document.child("Ayarlar").child("SpecialNumbers").attributes())
            attributes.emplace_back(attribute.name(), attribute.value());
        return attributes;
    }

    std::string stored(const char* name) const
    {
        for (const auto& [attribute, value] : storedAttributes()) {
            if (attribute == name)
                return value;
        }
        return "(missing)";
    }

    // A controller that has run the load: LoadSettings and the restore, with Loading still true.
    std::unique_ptr<SettingsController> loadedController(WriteResult* loadResult = nullptr)
    {
        auto controller =
            std::make_unique<SettingsController>(defaultTypeEntries(), [this](int position, const QString& text) {
                m_typeSelections.emplace_back(position, text);
            });
        const WriteResult result = controller->LoadSettings();
        if (loadResult)
            *loadResult = result;
        EXPECT_TRUE(controller->RestoreLists().ok);
        return controller;
    }

    static std::vector<QString> listTexts(const SettingsController& controller)
    {
        std::vector<QString> texts;
        for (const SettingsListId id : AllSettingsLists)
            texts.push_back(controller.list(id).text());
        return texts;
    }

    QTemporaryDir m_dir;
    std::vector<std::pair<int, QString>> m_typeSelections;
};
