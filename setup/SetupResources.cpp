#include "setup/SetupResources.h"

#include "platform/TextFile.h"

#include <charconv>

namespace setup {
namespace {

bool ParseInt(std::string_view text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out.push_back('\n');
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::vector<std::string_view> SplitTabs(std::string_view line, std::size_t fields)
{
    std::vector<std::string_view> out;
    while (out.size() + 1 < fields) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            break;
        out.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    out.push_back(line);
    return out;
}

}  // namespace

const std::map<int, std::string>& FrenchStrings()
{
    static const std::map<int, std::string> strings = {
        {109, "filelist.txt"},
        {110, "Impossible d'extraire la liste des fichiers à installer !"},
        {111, "Le fichier de données a été créé avec succès."},
        {112, "Erreur ! Le fichier %s n'a pu être copié. Souhaitez-vous poursuivre l'installation ?"},
        {501, "eula_fr.txt"},
        {502, "Le fichier de licence est introuvable !"},
        {503, "Mise à jour du registre Windows..."},
        {504, "Création du raccourcis vers l'application..."},
        {505, "Copie de %s..."},
        {506, "Horavel 2.0"},
        {507, "Logiciel de création de cadrans solaires"},
        {508, "Manuel du logiciel Horavel"},
        {509, "Documentation du logiciel en Français"},
        {510, "\\help\\fr"},
        {511, "Site web du logiciel"},
        {512, "Le site Internet du logiciel Horavel"},
        {513, "Fichier cadran solaire Horavel"},
        {514, "Base des lieux Horavel"},
        {516, "Impossible d'ouvrir le fichier de données %s."},
        {517, "lisezmoi.html"},
        {518, "https://horavel.example.org/telechargement.html"},
        {519, "https://horavel.example.org/"},
        {520, "Veuillez consulter périodiquement le site Internet du logiciel pour vous tenir au courant des "
              "évolutions."},
        {522, "ATTENTION ! Il manque un fichier essentiel pour pouvoir lancer l'installation (setup.dat). "
              "Impossible de continuer."},
        {525, "La désinstallation est terminée. Le logiciel Horavel a été supprimé de votre ordinateur."},
        {526, "Attention, le fichier de langue demandé n'a pas pu être chargé. L'installation va se pursuivre en "
              "français. Vous pourrez ensuite changer la langue du logiciel Horavel en allant dans le menu Options. "},
        {527, "ERREUR ! L'installation ne peut s'exécuter. Le logiciel a peut-être été partiellement ou totalement "
              "désinstallé auparavant. Supprimez les fichiers manuellement s'il en reste, ou réinstallez le logiciel "
              "pour pouvoir le désinstaller proprement. "},
        {528, "Erreur ! Le fichier de données %s est endommagé. L'installation est interrompue."},
        {529, "Erreur ! Le dossier d'installation %s n'a pas pu être créé."},
        {530, "Erreur ! Les types de fichiers et les informations de désinstallation n'ont pas pu être enregistrés. "
              "L'installation est interrompue."},
        {531, "Erreur ! Le dossier %s est un lien vers un autre dossier ; rien n'est installé au travers d'un "
              "lien. L'installation est interrompue."},
        {532, "Veuillez indiquer le dossier d'installation par son chemin complet, commençant par /."},
        {533, "Erreur ! Des fichiers installés dans %s n'ont pas pu être supprimés. Les informations de "
              "désinstallation sont conservées : relancez la désinstallation une fois le problème réglé."},
        {534, "Horavel 2.0 est déjà installé dans le dossier %s. Désinstallez-le d'abord, ou choisissez ce "
              "dossier pour le mettre à jour."},
        {535, "Erreur ! Les raccourcis du menu Programmes n'ont pas pu être créés. L'installation est interrompue."},
        {536, "Attention ! L'installation dans %s est incomplète : ces fichiers n'ont pas pu être copiés :"},
        {537, "Installation incomplète : des fichiers manquent."},
        {538, "Erreur ! Le dossier %s ne contient pas d'installation de Horavel 2.0 : aucun de ses fichiers n'est "
              "supprimé."},
    };
    return strings;
}

std::string CSetupResources::String(int id) const
{
    if (english_)
        if (auto it = strings_.find(id); it != strings_.end())
            return it->second;
    const auto& french = FrenchStrings();
    auto it = french.find(id);
    return it == french.end() ? std::string() : it->second;
}

std::string CSetupResources::Format(int id, std::string_view argument) const
{
    std::string text = String(id);
    if (const std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

std::string CSetupResources::DialogText(int templateId, int controlId) const
{
    if (!english_)
        return {};
    auto it = dialogs_.find({templateId, controlId});
    return it == dialogs_.end() ? std::string() : it->second;
}

bool CSetupResources::ParseLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (line.empty() || line.front() == '#')
            continue;
        if (line.starts_with("S\t")) {
            const auto fields = SplitTabs(std::string_view(line).substr(2), 2);
            int id = 0;
            if (fields.size() != 2 || !ParseInt(fields[0], id))
                return false;
            strings_[id] = Unescape(fields[1]);
        } else if (line.starts_with("D\t")) {
            const auto fields = SplitTabs(std::string_view(line).substr(2), 3);
            int templateId = 0, controlId = 0;
            if (fields.size() != 3 || !ParseInt(fields[0], templateId) || !ParseInt(fields[1], controlId))
                return false;
            dialogs_[{templateId, controlId}] = Unescape(fields[2]);
        } else {
            return false;
        }
    }
    return true;
}

bool CSetupResources::LoadEnglish(const std::filesystem::path& file)
{
    UseFrench();
    std::vector<std::string> lines;
    if (!textfile::ReadLines(file, lines) || !ParseLines(lines) || (strings_.empty() && dialogs_.empty())) {
        UseFrench();
        return false;
    }
    english_ = true;
    return true;
}

void CSetupResources::UseFrench()
{
    english_ = false;
    strings_.clear();
    dialogs_.clear();
}

CSetupResources& Resources()
{
    static CSetupResources resources;
    return resources;
}

}  // namespace setup
