#include "app/MainMenu.h"

#include <cstddef>
#include <functional>

MenuModel BuildMainMenu()
{
    // The zoom submenu, the stereographic view, the hour limits of the drawing, the 3D view
    // and command 32935 are never offered, so they are not in the menu at all.
    MenuModel menu;
    menu.items = {
        MenuItem::Popup("&Fichier", {
            MenuItem::Command(57600, "&Nouveau\tCtrl+N"),
            MenuItem::Command(57601, "&Ouvrir...\tCtrl+O"),
            MenuItem::Command(57602, "&Fermer"),
            MenuItem::Command(57603, "&Enregistrer\tCtrl+S"),
            MenuItem::Command(57604, "Enregistrer &sous..."),
            MenuItem::Separator(),
            MenuItem::Popup("E&xporter", {
                MenuItem::Command(32897, "le contenu de la vue au format vectoriel EMF..."),
                MenuItem::Command(32895, "le tracé du cadran au format DXF (AutoCAD)..."),
                MenuItem::Command(32932, "les valeurs de la table au format ASCII..."),
            }),
            MenuItem::Popup("Co&pier dans le presse-papier", {
                MenuItem::Command(32929, "Le contenu de la vue au format image\tCTRL-C"),
                MenuItem::Command(32930, "Le contenu de la vue au format vectoriel\tCTRL-SHIFT-C"),
            }),
            MenuItem::Separator(),
            MenuItem::Command(57607, "&Imprimer...\tCtrl+P"),
            MenuItem::Command(57609, "Aperç&u avant impression"),
            MenuItem::Command(57606, "Configuration de l'i&mpression..."),
            MenuItem::Separator(),
            MenuItem::Command(57616, "Fichier récent"),
            MenuItem::Separator(),
            MenuItem::Command(57665, "&Quitter"),
        }),
        MenuItem::Popup("&Affichage", {
            MenuItem::Command(32813, "&Dessin à l'échelle du cadran\tAlt+D"),
            MenuItem::Command(32815, "&Plan coté du style\tAlt+S"),
            MenuItem::Command(32874, "Dessin à l'échelle du &style\tAlt+Shift+S"),
            MenuItem::Separator(),
            MenuItem::Command(32816, "&Graphe annuel de l'équation du temps\tAlt+G"),
            MenuItem::Command(32987, "&Graphe mensuel de l'équation du temps"),
            MenuItem::Command(32846, "&Table de l'équation du temps\tAlt+T"),
            MenuItem::Command(32849, "Graphe &et table de l'équation du temps\tAlt+Shift+G"),
            MenuItem::Command(32867, "Courbe &verticale de l'équation du temps"),
            MenuItem::Separator(),
            MenuItem::Command(32817, "&Fiche technique\tAlt+F"),
            MenuItem::Command(32879, "&Ephéméride"),
            MenuItem::Command(32939, "Graphe Azimut - Hauteur du Soleil au cours de l'année"),
            MenuItem::Separator(),
            MenuItem::Command(32850, "Table de coordonnées des lignes &horaires"),
            MenuItem::Command(32851, "Table de &coordonnées des arcs diurnes"),
            MenuItem::Command(32898, "Table de coordonnées de l'équino&xiale"),
            MenuItem::Command(32981, "Table des méridiennes..."),
            MenuItem::Separator(),
            MenuItem::Command(32863, "Tracer un &rapporteur"),
            MenuItem::Command(32942, "Tracer un cercle d'azimut"),
            MenuItem::Command(32954, "Règle de tracé de l'équinoxiale"),
            MenuItem::Separator(),
            MenuItem::Popup("&Barres d'outils", {
                MenuItem::Command(32840, "Barre d'outils &principale"),
                MenuItem::Command(32841, "Barre d'outils du &cadran"),
                MenuItem::Command(32859, "Barre d'outils de l'&affichage"),
                MenuItem::Command(32920, "Barre d'outils des ca&dres"),
            }),
        }),
        MenuItem::Popup("&Cadran", {
            MenuItem::Command(32803, "&Dimensions...\tCtrl+D"),
            MenuItem::Command(32865, "Ancra&ge du style..."),
            MenuItem::Popup("&Forme du style", {
                MenuItem::Command(32958, "Style polaire"),
                MenuItem::Command(32959, "Style droit"),
                MenuItem::Command(32960, "Style droit et polaire"),
                MenuItem::Command(32961, "Style triangulaire"),
            }),
            MenuItem::Separator(),
            MenuItem::Popup("Tracer les lignes &horaires", {
                MenuItem::Command(32790, "des demi-&heures"),
                MenuItem::Command(32789, "des &quarts d'heure"),
                MenuItem::Command(32868, "des &5 minutes"),
            }),
            MenuItem::Command(32792, "Tracer les arcs diurnes"),
            MenuItem::Command(32864, "Propriétés des arcs diurnes..."),
            MenuItem::Command(32812, "Arc diurne pour une date particulière..."),
            MenuItem::Command(32853, "Tracer une courbe méridienne à midi"),
            MenuItem::Command(32852, "Propriétés de la méridienne..."),
            MenuItem::Popup("Tracer les lignes d'a&zimut", {
                MenuItem::Command(32944, "tous les 5°"),
                MenuItem::Command(32945, "tous les 10°"),
                MenuItem::Command(32946, "tous les 15°"),
                MenuItem::Command(32947, "tous les 30°"),
                MenuItem::Command(32948, "tous les 45°"),
            }),
            MenuItem::Popup("Tracer les lignes de hau&teur", {
                MenuItem::Command(32949, "tous les degrés"),
                MenuItem::Command(32950, "tous les 5°"),
                MenuItem::Command(32951, "tous les 10°"),
                MenuItem::Command(32952, "tous les 15°"),
                MenuItem::Command(32953, "tous les 30°"),
            }),
            MenuItem::Command(32876, "Ne tracer que quand le cadran est éclairé"),
            MenuItem::Command(32924, "Prolonger les lignes horaires"),
            MenuItem::Command(32925, "Tracer la sous-stylaire"),
            MenuItem::Command(32926, "Tracer l'intersection avec le méridien du lieu"),
            MenuItem::Command(32896, "Tracer les axes X-Y"),
            MenuItem::Separator(),
            MenuItem::Command(32805, "M&arquer les heures"),
            MenuItem::Command(32798, "&Numéroter sur 24 heures"),
            MenuItem::Command(32806, "En chiffres &romains"),
            MenuItem::Command(32980, "Marquer les arcs diurnes"),
            MenuItem::Command(32811, "Marquer l'emplacement du &style"),
            MenuItem::Command(32941, "Indications fournies par le cadran..."),
            MenuItem::Separator(),
            MenuItem::Command(32904, "Styles des lignes..."),
            MenuItem::Separator(),
            MenuItem::Popup("Ca&dres", {
                MenuItem::Command(32900, "Insérer un cadre de texte"),
                MenuItem::Command(32902, "Insérer un cadre d'image..."),
                MenuItem::Separator(),
                MenuItem::Command(32906, "Editer le cadre..."),
                MenuItem::Command(32907, "Modifier l'encadrement..."),
                MenuItem::Command(32908, "Modifier l'ancrage du cadre..."),
                MenuItem::Command(32911, "Dessiner en dessous des lignes du cadran"),
                MenuItem::Command(32957, "Dupliquer"),
                MenuItem::Command(32905, "Supprimer..."),
                MenuItem::Separator(),
                MenuItem::Command(32910, "Affiche l'image dans sa taille d'origine"),
                MenuItem::Command(32909, "Rationnalise la largeur de l'image"),
                MenuItem::Command(32912, "Rationnalise la hauteur de l'image"),
            }),
            MenuItem::Separator(),
            MenuItem::Command(32936, "Animer l'ombre du style..."),
            MenuItem::Command(32978, "Visualiser l'ombre du style"),
        }),
        MenuItem::Popup("&Options", {
            MenuItem::Command(32866, "Année de &référence..."),
            MenuItem::Command(32938, "Lieu de référence..."),
            MenuItem::Command(32772, "Editer la &base de données des lieux...\tCtrl+B"),
            MenuItem::Command(32982, "Définir un masque d'horizon...\tShift+F5"),
            MenuItem::Command(32883, "Définir la date des éphé&mérides...\tF5"),
            MenuItem::Separator(),
            MenuItem::Command(32968, "&Langue..."),
            MenuItem::Command(32986, "Préférences générales..."),
        }),
        MenuItem::Popup("O&utils", {
            MenuItem::Command(32977, "Outil de conversion décimale"),
            MenuItem::Command(32922, "Calculer la déclinaison gnomonique d'un mur..."),
        }),
        MenuItem::Popup("A&ide", {
            MenuItem::Command(57670, "&Aide\tF1"),
            MenuItem::Command(32979, "Rechercher un mot-clé dans l'aide..."),
            MenuItem::Command(32983, "Foire Aux Questions"),
            MenuItem::Command(109, "Ecran de &démarrage..."),
            MenuItem::Separator(),
            MenuItem::Command(32985, "Afficher le fichier de traces"),
            MenuItem::Command(32884, "Vérifier la disponibilité d'une nouvelle version du logiciel..."),
            MenuItem::Command(32885, "Visiter le site &web de Horavel"),
            MenuItem::Command(32886, "Envoyer un &e-mail à l'auteur"),
            MenuItem::Separator(),
            MenuItem::Command(57664, "À &propos de Horavel..."),
        }),
    };
    return menu;
}

namespace {

constexpr int kFirstRecentFile = 57616;

const MenuItem* Find(const std::vector<MenuItem>& items, int id)
{
    for (const MenuItem& item : items) {
        if (item.IsPopup()) {
            if (const MenuItem* found = Find(item.items, id))
                return found;
        } else if (!item.IsSeparator() && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

void Walk(const std::vector<MenuItem>& items, const std::string& path,
          const std::function<void(const MenuItem&, const std::string&)>& visit)
{
    int popupNumber = 1;
    for (const MenuItem& item : items) {
        if (item.IsSeparator())
            continue;
        if (item.IsPopup()) {
            const std::string sub = path + "#" + std::to_string(popupNumber++);
            visit(item, sub);
            Walk(item.items, sub, visit);
        } else {
            visit(item, path);
        }
    }
}

bool Expand(std::vector<MenuItem>& items, int entries)
{
    for (size_t k = 0; k < items.size(); ++k) {
        MenuItem& item = items[k];
        if (item.IsPopup()) {
            if (Expand(item.items, entries))
                return true;
        } else if (item.id == kFirstRecentFile) {
            std::vector<MenuItem> more;
            for (int i = 1; i < entries; ++i)
                more.push_back(MenuItem{MenuItem::Kind::Command, kFirstRecentFile + i, item.text, {}});
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(k) + 1, more.begin(), more.end());
            return true;
        }
    }
    return false;
}

}  // namespace

void ExpandRecentFileItems(MenuModel& menu, int entries) { Expand(menu.items, entries); }

const MenuItem* FindMenuCommand(const MenuModel& menu, int commandId) { return Find(menu.items, commandId); }

void ForEachMenuItem(const MenuModel& menu, const std::function<void(const MenuItem&, const std::string&)>& visit)
{
    Walk(menu.items, "popup", visit);
}
