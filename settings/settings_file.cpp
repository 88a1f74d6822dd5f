#include "settings/settings_file.h"

#include <tinyxml.h>

#include "settings/file_encoding.h"
#include "settings/xml_document.h"

namespace gkr {

namespace {

// The options in the order of the record and of the file's attributes.
struct OptionField {
    const char* name;
    Option Settings::*field;
};

const OptionField kOptions[] = {
    {"UseKey", &Settings::UseKey},
    {"UsePad", &Settings::UsePad},
    {"MailBackup", &Settings::MailBackup},
    {"MailDelete", &Settings::MailDelete},
    {"MailRestore", &Settings::MailRestore},
    {"LastKey", &Settings::LastKey},
    {"DefaultKey", &Settings::DefaultKey},
    {"UseX", &Settings::UseX},
    {"UseY", &Settings::UseY},
    {"UseZ", &Settings::UseZ},
    {"UseR", &Settings::UseR},
    {"UseU", &Settings::UseU},
    {"UseV", &Settings::UseV},
    {"UseKeyDefault", &Settings::UseKeyDefault},
    {"UseKeyBackup", &Settings::UseKeyBackup},
    {"UseFlute", &Settings::UseFlute},
    {"UpNote", &Settings::UpNote},
    {"SideNote", &Settings::SideNote},
    {"DownNote", &Settings::DownNote},
    {"FluteWndX", &Settings::FluteWndX},
    {"FluteWndY", &Settings::FluteWndY},
    {"FluteSkill", &Settings::FluteSkill},
    {"UseAutoTimer", &Settings::UseAutoTimer},
    {"UseTimer", &Settings::UseTimer},
    {"TimerSize", &Settings::TimerSize},
    {"UseEnergy", &Settings::UseEnergy},
    {"MaxHealth", &Settings::MaxHealth},
    {"OffsetX", &Settings::OffsetX},
    {"OffsetY", &Settings::OffsetY},
};
static_assert(sizeof kOptions / sizeof kOptions[0] == 29, "conf.xml carries twenty-nine options");

const char kSetting[] = "Setting";
const char kAccel[] = "Accel";
const char kKey[] = "Key";
const char kPad[] = "Pad";
const char kKeyConfig[] = "KeyConfig";

bool IsElement(const TiXmlNode& node, const char* name) {
    return node.Type() == TiXmlNode::TINYXML_ELEMENT && node.ValueStr() == name;
}

// Each reader takes only an element of its own name and leaves the target
// untouched for anything else, including an attribute that does not parse;
// such an attribute is remembered, as the file was then not read whole.
class Reader {
public:
    Reader(const DigitGrouping& grouping, const FileTexts& texts) : grouping_(grouping), texts_(texts) {}

    // False once a number or a name was there but could not be read (out of
    // range, malformed; not convertible to code page 949).
    bool EverythingRead() const { return !unreadValue_; }

    // True when the attribute was there and read into target.
    bool ReadNumber(const TiXmlElement& element, const char* name, int32_t& target) const {
        const std::string* text = element.Attribute(std::string(name));
        if (!text) return false;
        if (ParseInt(*text, grouping_, target)) return true;
        unreadValue_ = true;
        return false;
    }
    void ReadText(const TiXmlElement& element, const char* name, std::string& target) const {
        const std::string* text = element.Attribute(std::string(name));
        if (!text) return;
        // Like a typed name code page 949 lacks, it is not stored at all.
        if (std::optional<std::string> stored = texts_.Stored(*text)) target = std::move(*stored);
        else unreadValue_ = true;
    }

    void ReadKey(const TiXmlElement& element, std::vector<uint32_t>& keys) const {
        if (element.ValueStr() != kKey) return;
        // A Key without a usable Code still holds its place, as code 0.
        int32_t code = 0;
        ReadNumber(element, "Code", code);
        keys.push_back(static_cast<uint32_t>(code));
    }

    void ReadPad(const TiXmlElement& element, std::vector<int32_t>& pads) const {
        if (element.ValueStr() != kPad) return;
        int32_t button = 0;
        ReadNumber(element, "Button", button);
        pads.push_back(button);
    }

    void ReadAccel(const TiXmlElement& element, Accel& accel) const {
        if (element.ValueStr() != kAccel) return;
        ReadText(element, "Name", accel.name);
        ReadNumber(element, "Num", accel.num);
        accel.keys.clear();
        accel.pads.clear();
        for (const TiXmlNode* child = element.FirstChild(); child; child = child->NextSibling()) {
            if (IsElement(*child, kKey)) ReadKey(*child->ToElement(), accel.keys);
            else if (IsElement(*child, kPad)) ReadPad(*child->ToElement(), accel.pads);
        }
    }

    void ReadKeyConfig(const TiXmlElement& element, KeyConfig& config) const {
        if (element.ValueStr() != kKeyConfig) return;
        ReadText(element, "Name", config.name);
        ReadNumber(element, "Index", config.index);
    }

    void ReadSetting(const TiXmlElement& element, Settings& settings) const {
        if (element.ValueStr() != kSetting) return;
        for (const OptionField& option : kOptions) {
            int32_t value = (settings.*option.field).load();
            if (ReadNumber(element, option.name, value)) (settings.*option.field).store(value);
        }
        // Built aside: the worker polls the published hotkey list meanwhile.
        AccelList accels;
        std::vector<KeyConfig> configs;
        for (const TiXmlNode* child = element.FirstChild(); child; child = child->NextSibling()) {
            if (IsElement(*child, kAccel)) {
                accels.emplace_back();
                ReadAccel(*child->ToElement(), accels.back());
            } else if (IsElement(*child, kKeyConfig)) {
                configs.emplace_back();
                ReadKeyConfig(*child->ToElement(), configs.back());
            }
        }
        settings.keyConfigs = std::move(configs);
        settings.accels.Publish(std::move(accels));
    }

private:
    const DigitGrouping& grouping_;
    const FileTexts& texts_;
    mutable bool unreadValue_ = false;
};

// Elements are built in place (TinyXML's copies pass attribute values as C
// strings and would cut a name at a zero byte).
class Writer {
public:
    explicit Writer(const DigitGrouping& grouping) : grouping_(grouping) {}

    void WriteAccel(const Accel& accel, TiXmlElement& element) const {
        for (uint32_t code : accel.keys) {
            Child(element, kKey).SetAttribute(std::string("Code"), Format(static_cast<int32_t>(code)));
        }
        for (int32_t button : accel.pads) Child(element, kPad).SetAttribute(std::string("Button"), Format(button));
        element.SetAttribute(std::string("Name"), accel.name);
        element.SetAttribute(std::string("Num"), Format(accel.num));
    }

    void WriteKeyConfig(const KeyConfig& config, TiXmlElement& element) const {
        element.SetAttribute(std::string("Name"), config.name);
        element.SetAttribute(std::string("Index"), Format(config.index));
    }

    void WriteSetting(const Settings& settings, TiXmlElement& element) const {
        for (const Accel& accel : *settings.accels.Snapshot()) WriteAccel(accel, Child(element, kAccel));
        for (const KeyConfig& config : settings.keyConfigs) WriteKeyConfig(config, Child(element, kKeyConfig));
        for (const OptionField& option : kOptions) {
            element.SetAttribute(std::string(option.name), Format((settings.*option.field).load()));
        }
    }

    static TiXmlElement& Child(TiXmlNode& parent, const char* name) {
        TiXmlElement* child = new TiXmlElement(name);
        parent.LinkEndChild(child);  // the parent owns it from here
        return *child;
    }

private:
    std::string Format(int32_t value) const { return FormatInt(value, grouping_); }

    const DigitGrouping& grouping_;
};

}  // namespace

namespace {

// The settings element, or nullptr.
const TiXmlElement* FindSetting(const TiXmlDocument& document) {
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling())
        if (IsElement(*node, kSetting)) return node->ToElement();
    return nullptr;
}

}  // namespace

void ReadSettingsDocument(Settings& settings, const TiXmlDocument& document, const DigitGrouping& grouping) {
    const FileTexts asTheyAre;
    if (const TiXmlElement* setting = FindSetting(document)) Reader(grouping, asTheyAre).ReadSetting(*setting, settings);
}

SettingsLoad LoadSettingsFile(Settings& settings, const std::string& path, const DigitGrouping& grouping,
                              const Cp949Conversions& cp949) {
    std::string text;
    switch (ReadDataFileAs(path, text)) {
    case FileRead::Missing:
        return SettingsLoad::NoFile;
    case FileRead::Failed:
        return SettingsLoad::NotWhole;
    case FileRead::Read:
        break;
    }
    TiXmlDocument document;
    if (!ParseDataText(text, document)) return SettingsLoad::NotWhole;
    const TiXmlElement* setting = FindSetting(document);
    const FileTexts texts(text, cp949);
    const Reader reader(grouping, texts);
    if (setting) reader.ReadSetting(*setting, settings);
    // A damaged file still gives what came before the damage, but not all of
    // it; nor does one with a value that could not be read, which a save
    // would replace with the value in use.
    if (!setting || document.Error() || !reader.EverythingRead()) return SettingsLoad::NotWhole;
    return texts.FromUtf8() ? SettingsLoad::FromUtf8 : SettingsLoad::Whole;
}

std::string PrintSettings(const Settings& settings, const DigitGrouping& grouping) {
    TiXmlDocument document;
    const Writer writer(grouping);
    writer.WriteSetting(settings, Writer::Child(document, kSetting));
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\n");
    document.Accept(&printer);
    return printer.Str();
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace gkr
