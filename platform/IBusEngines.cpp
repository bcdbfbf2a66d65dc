// GIO before Qt: its headers name a field "signals", which Qt defines as a macro.
#include <gio/gio.h>

#include "platform/IBusEngines.h"

namespace {

// The setting key's value, or nullptr when the desktop lacks its schema (GLib would abort).
GVariant *settingValue(const char *schemaId, const char *key)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (!schema)
        return nullptr;
    GVariant *value = nullptr;
    if (g_settings_schema_has_key(schema, key)) {
        GSettings *settings = g_settings_new_full(schema, nullptr, nullptr);
        value = g_settings_get_value(settings, key);
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return value;
}

// What ibus-setup writes: engine names.
void appendPreloadEngines(QStringList &engines)
{
    GVariant *names = settingValue("org.freedesktop.ibus.general", "preload-engines");
    if (!names)
        return;
    if (g_variant_is_of_type(names, G_VARIANT_TYPE_STRING_ARRAY)) {
        gsize count = 0;
        const gchar **strings = g_variant_get_strv(names, &count);
        for (gsize i = 0; i < count; ++i)
            engines.append(QString::fromUtf8(strings[i]));
        g_free(strings);
    }
    g_variant_unref(names);
}

// What GNOME's settings write: (type, name) pairs, the IBus ones among keyboard layouts.
void appendGnomeInputSources(QStringList &engines)
{
    GVariant *sources = settingValue("org.gnome.desktop.input-sources", "sources");
    if (!sources)
        return;
    if (g_variant_is_of_type(sources, G_VARIANT_TYPE("a(ss)"))) {
        GVariantIter iter;
        const gchar *type = nullptr;
        const gchar *name = nullptr;
        g_variant_iter_init(&iter, sources);
        while (g_variant_iter_next(&iter, "(&s&s)", &type, &name)) {
            if (g_strcmp0(type, "ibus") == 0)
                engines.append(QString::fromUtf8(name));
        }
    }
    g_variant_unref(sources);
}

} // namespace

namespace IBusEngines {

QString japaneseEngineAmong(const QStringList &configured)
{
    // The names in /usr/share/ibus/component; ibus-mozc's come from "ibus-engine-mozc --xml".
    static const QStringList japanese
        = {QStringLiteral("anthy"), QStringLiteral("mozc-jp"), QStringLiteral("kkc")};
    for (const QString &engine : configured) {
        if (japanese.contains(engine))
            return engine;
    }
    return {};
}

QStringList configuredEngines()
{
    QStringList engines;
    appendPreloadEngines(engines);
    appendGnomeInputSources(engines);
    engines.removeDuplicates();
    return engines;
}

QString configuredJapaneseEngine()
{
    return japaneseEngineAmong(configuredEngines());
}

} // namespace IBusEngines
