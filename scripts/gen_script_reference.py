#!/usr/bin/env python3
"""Writes the identifier reference of docs/help/script.html.

Reads the script's identifier tables in app/ (root_table.cpp, the
*_identifiers.cpp files and gba_platform.cpp), so that every name the script
reader knows is listed, and replaces the text between the two markers
<!-- identifiants:debut --> and <!-- identifiants:fin --> of script.html.
The descriptions are written below, in French; a name without one is listed
with "?" and reported on standard error.

    python3 scripts/gen_script_reference.py          # rewrite script.html
    python3 scripts/gen_script_reference.py --check  # exit 1 if out of date
"""
import html
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PAGE = ROOT / "docs" / "help" / "script.html"
BEGIN = "<!-- identifiants:debut -->"
END = "<!-- identifiants:fin -->"

KINDS = {
    "TreeItem": "élément de l'arbre",
    "TextField": "champ de texte",
    "CheckBox": "case à cocher",
    "RadioButton": "bouton radio",
    "DropDown": "liste déroulante",
    "CommandEntry": "commande",
    "IntegerEntry": "entier",
    "TextEntry": "texte",
    "RealEntry": "réel",
    "ObjectEntry": "objet",
    "ArrayEntry": "tableau",
}

# A maker is written Maker<target>() or Maker(argument).
MAKER = r'(\w+)(?:<(.*?)>\(\)|\(([^)]*))'
ROW = re.compile(r'\{\s*"([^"]+)"\s*,\s*"([^"]+)"\s*,\s*' + MAKER)
NAMED = re.compile(r'Named\(\s*"([^"]+)"\s*,\s*' + MAKER)
TABLE = re.compile(r'constexpr\s+(?:TwinRow|Entry)\s+(\w+)\[\]\s*=\s*\{(.*?)\n\};', re.S)
EXPAND = re.compile(r'constexpr\s+auto\s+(\w+)\s*=\s*ExpandTwins\(([^)]*)\)')
OBJECT = re.compile(r'ObjectTable\s+(\w+)\s*\{\s*(\w+)\s*\}')


def kind_of(maker, argument):
    if maker == "Control":
        return KINDS[re.search(r"K::(\w+)", argument).group(1)]
    return KINDS.get(maker, maker)


def parse_rows(body):
    """(french, english or None, kind, target) in table order: the twin rows,
    then the single names."""
    rows = []
    for m in ROW.finditer(body):
        argument = m.group(4) if m.group(4) is not None else m.group(5)
        rows.append((m.group(1), m.group(2), kind_of(m.group(3), argument), argument.strip("&")))
    for m in NAMED.finditer(body):
        argument = m.group(3) if m.group(3) is not None else m.group(4)
        rows.append((m.group(1), None, kind_of(m.group(2), argument), argument.strip("&")))
    return rows


def read_tables():
    tables, objects = {}, {}
    for path in sorted((ROOT / "app").glob("*.cpp")):
        text = path.read_text(encoding="utf-8")
        found = {name: parse_rows(body) for name, body in TABLE.findall(text)}
        tables.update(found)
        for name, parts in EXPAND.findall(text):
            rows = []
            for part in parts.split(","):
                rows += found.get(part.strip(), [])
            tables[name] = rows
        for obj, rows in OBJECT.findall(text):
            objects[obj] = rows
    return tables, objects


# Descriptions: key "table.french name" -> (value or arguments, effect).
D = {}


def d(key, args, effect):
    D[key] = (args, effect)


# Root table: the import assistant.
for fr, what in [
    ("arbre-mosaiques", "sélectionne la catégorie <em>Mosaïques</em> de l'arbre et ouvre l'assistant de conversion en mosaïques"),
    ("arbre-cartes", "sélectionne la catégorie <em>Cartes</em> et ouvre la page de création d'une carte"),
    ("arbre-bitmaps", "sélectionne la catégorie <em>Bitmaps</em> et ouvre la page de conversion en bitmap"),
    ("texte-01", "champ 1 de la page : l'image source (« Fichier à créer » sur la page des cartes)"),
    ("texte-02", "champ 2 : la destination (« Destination pour les mosaïques », « Destination pour la bitmap ») ; largeur du tableau sur la page des cartes"),
    ("texte-03", "champ 3 : « Destination pour la palette » ; hauteur du tableau sur la page des cartes"),
    ("texte-04", "champ 4 : « Destination pour la map »"),
    ("texte-05", "champ 5 : « Couleurs / max. »"),
    ("texte-source", "le champ 1 (image source)"),
    ("texte-dest", "le champ 2 (destination)"),
    ("texte-palette", "le champ 3 (palette)"),
    ("texte-map", "le champ 4 (map)"),
    ("texte-couleurs", "le champ 5 (nombre de couleurs)"),
    ("texte-tileset", "le champ 2"),
    ("texte-taillex", "le champ 2 (largeur en blocs, page des cartes)"),
    ("texte-tailley", "le champ 3 (hauteur en blocs, page des cartes)"),
    ("check-palette", "case « Palette existante » (0 vide, 1 cochée, 2 grisée)"),
    ("check-map", "case « Générer une map »"),
    ("check-tileset", "case « Tileset existant » (0 vide, 1 cochée, 2 grisée)"),
    ("check-optimise", "case « Tileset optimisé »"),
    ("check-16", "ne désigne aucun contrôle : sans effet"),
    ("radio-texte", "ne désigne aucun contrôle : sans effet"),
    ("radio-rotation", "ne désigne aucun contrôle : sans effet"),
    ("combo-palette", "liste des palettes du projet (à côté de « Palette existante »)"),
    ("combo-tileset", "liste des tilesets du projet (à côté de « Tileset existant »)"),
    ("combo-taille", "liste « Taille de la map » (« Optimisé », « 128x128 »…)"),
    ("combo-tiles", "liste de la taille des blocs (« 8x8 », « 16x16 », « 32x32 »)"),
    ("combo-map", "ne désigne aucun contrôle : sans effet"),
]:
    D["kTwinRows." + fr] = (None, what)

d("kTwinRows.ok", "aucun", "comme un clic sur le bouton « Ok! » de l'assistant")
d("kTwinRows.msgbox", "message, titre, <code>sinon goto</code> étiquette", "boîte de message OK / Annuler ; voir <a href=\"#msgbox\">msgbox</a>")
d("kTwinRows.visible", "entier", "0 cache la fenêtre principale, toute autre valeur la montre")
d("kTwinRows.quitte", "aucun", "arrête le script ; après l'évènement <code>onstart</code>, ferme le programme")
d("kTwinRows.fin", "aucun", "arrête le script (et ceux qui l'ont inclus)")
d("kTwinRows.exec", "chaîne : une ligne de commande", "lance ce programme et continue aussitôt")
d("kTwinRows.goto", "étiquette", "reprend l'exécution après la ligne d'étiquette, plus bas dans le fichier")
d("kTwinRows.messages", "0 ou 1", "1 : les conversions posent leurs questions pendant le script (0 au début de chaque script)")
d("kTwinRows.répertoire", "chaîne", "répertoire de travail enregistré dans le projet")
d("kTwinRows.script", "chaîne", "script système (« script.spt » au démarrage)")
d("kTwinRows.aideperso", "chaîne", "page ouverte par « Aide perso... » (F3) ; « lisezmoi.htm » au démarrage")
d("kTwinRows.retour", "entier", "fixe la valeur de retour et arrête le script")
d("kTwinRows.dossiers", "", "dossiers par défaut de chaque sorte d'élément (<a href=\"#obj-dossiers\">dossiers</a>)")
d("kTwinRows.dossierdéf", "<code>dossierdéf[n] = \"nom\"</code>, n de 1 à 12", "dossier par défaut de la sorte d'élément n − 1 (2 cartes, 4 tilesets, 5 bitmaps, 7 palettes, 8 listes)")
d("kTwinRows.effets", "comme <code>convert.luminosite</code>", "effets de couleur")
d("kTwinRows.defformat", "nom, puis un bloc <code>{ … }</code>", "définit un format de sortie (<a href=\"formats.html#defformat\">formats</a>)")
d("kTwinRows.defmodele", "nom, puis un bloc <code>{ … }</code>", "définit un modèle de liste d'objets (<a href=\"formats.html#defmodele\">formats</a>)")
d("kTwinRows.format", "chaîne", "note le format à choisir à la fin du démarrage")
d("kTwinRows.modele", "chaîne", "note le modèle de liste à choisir à la fin du démarrage")
d("kTwinRows.selmodele", "chaîne", "choisit tout de suite le modèle de liste courant")
d("kTwinRows.selformat", "chaîne", "choisit tout de suite le format de sortie courant")
d("kTwinRows.faire", "fichier, étiquette", "exécute un script à partir d'une étiquette")
d("kTwinRows.inclure", "fichier", "exécute un script depuis son début")
d("kTwinRows.plateforme", "chaîne", "choisit la plate-forme par son nom (« Game Boy Advance, Nintendo »)")

d("kSharedRows.conv", "éléments de conversion", "conversion d'une image en une ligne (<a href=\"conversions.html#conv\">conv</a>)")
d("kSharedRows.fonds", "", "fonds de l'éditeur de maps (<a href=\"#obj-fonds\">fonds</a>)")
d("kSharedRows.modehexa", "", "mode hexadécimal de l'éditeur (<a href=\"#obj-modehexa\">modehexa</a>)")
d("kSharedRows.system", "", "réglages généraux (<a href=\"#obj-system\">system</a>)")
d("kSharedRows.convert", "", "réglages de conversion (<a href=\"#obj-convert\">convert</a>)")
d("kSharedRows.editeur", "", "réglages de l'éditeur de maps (<a href=\"#obj-editeur\">editeur</a>)")
d("kSharedRows.specimen", "", "map spécimen (<a href=\"#obj-specimen\">specimen</a>)")
d("kSharedRows.bits", "", "grille des bits (<a href=\"#obj-bits\">bits</a>)")
d("kSharedRows.liste", "", "paramètres du modèle de liste courant (<a href=\"#obj-liste\">liste</a>)")
d("kSharedRows.maps", "", "même objet que <code>fonds</code>")
d("kSharedRows.editor", "", "même objet que <code>editeur</code>")
d("kSharedRows.list", "", "même objet que <code>liste</code>")

# fonds / maps
d("kBackgroundsObject.alphapremplan", "0 à 255 (160)", "opacité du fond actif (avant-plan)")
d("kBackgroundsObject.proprepalette", "0 ou 1 (1)", "une palette par fond")
d("kBackgroundsObject.transparence", "0 ou 1 (0)", "fonds transparents")
d("kBackgroundsObject.ajoute", "\"nom\"[, emplacement]", "ouvre la map (ou liste) du projet de ce nom comme nouveau fond ; un emplacement de 1 à 20 la charge à la place du fond qui s'y trouve ; un nom inconnu est ignoré")
d("kBackgroundsObject.reinit", "aucun", "ferme tous les fonds")
d("kBackgroundsObject.liemap", "numéros de fonds", "lie entre eux les fonds cités (les numéros hors limites sont ignorés)")
d("kBackgroundsObject.vitessedefil", "deux réels", "vitesse de défilement (parallaxe) horizontale et verticale de <code>fonds[n]</code> ; une valeur ≤ 0 garde la vitesse")
d("kBackgroundsObject.ajcondition", "plus basse, plus haute, tuile cible [=]", "ajoute une plage de valeurs à <code>fonds[n]</code> : ces valeurs sont dessinées avec les tuiles à partir de la cible ; avec <code>=</code> à la fin, toutes avec la cible (20 plages au plus)")
d("kBackgroundsObject.grille", "largeur[, hauteur]", "grille crampon de <code>fonds[n]</code> ; une largeur ≤ 0 la garde, une hauteur absente ou &lt; 1 prend la largeur")
d("kBackgroundsObject.grid", "largeur[, hauteur]", "second nom anglais de <code>grille</code>")
d("kBackgroundsObject.alphahex", "0 à 255 (96)", "opacité des plans hexadécimaux")
d("kBackgroundsObject.alphagfx", "0 à 255 (128)", "opacité des arrière-plans")
d("kBackgroundsObject.visible", "<code>visible[n] = 0</code> ou 1, n de 1 à 20", "visibilité du fond n")
d("kBackgroundsObject.emulgba", "0 ou 1", "émulation des bits GBA de <code>fonds[n]</code>")

# modehexa
d("kHexModeObject.actif", "0 ou 1 (0)", "mode hexadécimal")
d("kHexModeObject.comblezeros", "0 ou 1 (0)", "« Combler avec des 0 »")
d("kHexModeObject.fondactif", "0 ou 1 (1)", "« Map graphique en fond »")

# system
d("kSystemObject.répertoire", "chaîne", "comme <code>répertoire</code>")
d("kSystemObject.objetsmax", "entier (1024)", "nombre maximal d'objets par liste ; moins de 3 donne 3")
d("kSystemObject.sauverparamsmaps", "0 ou 1 (1)", "écrit le fichier de paramètres d'une map quand elle est enregistrée")
d("kSystemObject.sauverparamsmapsauto", "0 ou 1 (0)", "l'écrit aussi à la fermeture de l'éditeur")
d("kSystemObject.memoiremax", "taille, p. ex. <code>32 Mo</code> (32 Mo)", "mémoire maximale des aperçus (copie et export d'image) ; unités o, ko, Mo, Go, To")
d("kSystemObject.selectionformatauto", "0 ou 1 (1)", "choisit le format de sortie d'après l'extension du fichier lu")
d("kSystemObject.emulgba", "0 ou 1 (0)", "émulation des bits GBA pour tous les fonds ouverts ensuite")

# convert
d("kConvertObject.couleurmasque", "couleur (RGB(255,0,254))", "couleur transparente des images sources")
d("kConvertObject.couleurzero", "couleur (RGB(0,0,0))", "couleur de l'entrée 0 des palettes (gardée sur 5 bits par composante)")
d("kConvertObject.utilmaxcoul", "0 ou 1 (0)", "« Toujours remplir les palettes »")
d("kConvertObject.luminosite", "<code>gamma=</code>, <code>add=</code>, <code>alpha=</code>", "effets de couleur (<a href=\"conversions.html#effets\">effets</a>)")
d("kConvertObject.nuances", "entier (256)", "nombre de nuances par composante")
d("kConvertObject.nuancesavant", "0 ou 1 (0)", "applique l'effet nuances avant les autres")
d("kConvertObject.mode", "0, 1, 2, 3 ou un nom", "méthode de réduction de palette : <code>normal</code>/<code>initial</code>, <code>tramé</code>/<code>halftone</code>, <code>meilleur</code>/<code>optimal</code>, <code>affiné</code>/<code>refined</code>")
d("kConvertObject.tronquer", "0 ou 1 (0)", "tronque les valeurs des effets de couleur à l'entier")
d("kConvertObject.precisionmax", "entier (512)", "précision maximale de la réduction de palette")
d("kConvertObject.colorisation", "entier (0)", "écart entre les sous-palettes générées (mode 4 bits)")
d("kConvertObject.premtilevide", "0 ou 1 (0)", "« Première tile toujours transparente »")
d("kConvertObject.reducpalrapide", "0 ou 1 (1)", "« Optimisation vitesse » de la réduction de palette")
d("kConvertObject.reducpalpost", "0 ou 1 (1)", "« Post-processing » après la réduction de palette")
d("kConvertObject.tramageaffine", "0 ou 1 (0)", "tramage ordonné de la méthode <code>affiné</code>")
d("kConvertObject.tilex", "pixels (8)", "largeur des tuiles")
d("kConvertObject.tiley", "pixels (8)", "hauteur des tuiles")

# editeur / editor
d("kEditorObject.popupinfos", "0 ou 1 (1)", "bulle d'informations sous la souris")
d("kEditorObject.tempspopup", "entier (61)", "délai de la bulle, en unités de 10 ms")
d("kEditorObject.blocinvisible", "entier (65535)", "valeur de case dessinée invisible")
d("kEditorObject.zoomprecis", "0 ou 1 (0)", "zoom bilinéaire")
d("kEditorObject.grille", "0 ou 1 (0)", "affiche la grille")
d("kEditorObject.couleurgrille", "couleur (RGB(64,64,64))", "couleur de la grille")
d("kEditorObject.alphagrille", "0 à 255 (96)", "opacité de la grille")
d("kEditorObject.masquezero", "0 ou 1 (0)", "masque les cases de valeur 0")
d("kEditorObject.deplace", "largeur, hauteur[, x, y[, agrandie]]", "place la fenêtre de l'éditeur ; deux nombres la redimensionnent seulement")
d("kEditorObject.timing", "0 à 1000 ms (10)", "intervalle de rafraîchissement de l'éditeur")
d("kEditorObject.zoom", "réel (1.0)", "zoom de l'écran ; une valeur ≤ 0 est ignorée")

# specimen
d("kSpecimenObject.affiche", "0 ou 1 (1)", "montre ou cache la map spécimen")
d("kSpecimenObject.ajoutemap", "numéro de fond", "ajoute ce fond au spécimen")
d("kSpecimenObject.deplace", "largeur, hauteur[, x, y]", "place la fenêtre du spécimen")

# bits
d("kBitsObject.affiche", "aucun", "ouvre la grille des bits")
d("kBitsObject.textebit", "bit (0 à 31), \"nom\"", "nomme un bit de <code>bits[n]</code> (31 caractères au plus)")
d("kBitsObject.bitactif", "bit (0 à 31), 0 ou 1", "active ou désactive un bit de <code>bits[n]</code>")
d("kBitsObject.masquezero", "0 ou 1 (1)", "masque des zéros de la grille des bits")
d("kBitsObject.deplace", "x, y", "déplace la fenêtre de la grille des bits")

# liste / list
d("kListObject.reinitparams", "aucun", "retire tous les paramètres du modèle courant")
d("kListObject.ajparam", "\"nom\", type, taille", "ajoute un paramètre au modèle courant, ou remplace celui de ce nom ; type 1 entier, 2 brut ; une taille 0 devient 4")

# dossiers / folders
d("kFoldersObject.cartes", "chaîne", "dossier par défaut des cartes (<code>dossierdéf[2]</code>)")
d("kFoldersObject.mosaiques", "chaîne", "dossier par défaut des tilesets (<code>dossierdéf[4]</code>)")
d("kFoldersObject.bitmaps", "chaîne", "dossier par défaut des bitmaps (<code>dossierdéf[5]</code>)")
d("kFoldersObject.palettes", "chaîne", "dossier par défaut des palettes (<code>dossierdéf[7]</code>)")
d("kFoldersObject.listes", "chaîne", "dossier par défaut des listes (<code>dossierdéf[8]</code>)")
d("kFoldersObject.dossier", "<code>dossier[n] = \"nom\"</code>", "le même tableau que <code>dossierdéf</code>")

# gba (registered by the platform)
d("kGbaObject.palettemask", "0 ou 1 (1)", "« Bits palette [12-15] » : les cases des maps texte (16 bits) portent le numéro de sous-palette dans les bits 12 à 15")
d("kGbaObject.mirrormask", "0 ou 1 (1)", "« Bits miroir [10-11] » : les cases des maps texte portent les bits miroir horizontal (10) et vertical (11)")
d("kGbaObject.align", "0 ou 1 (0)", "ajoute l'alignement GCC (4 octets) aux tableaux exportés ; pris seulement quand la plate-forme est la plate-forme courante")

SECTIONS = [
    # (table, anchor, title, names of the object, introduction)
    ("kTwinRows", "racine-assistant", "Contrôles de l'assistant de conversion", [],
     "Ces noms remplissent l'assistant de conversion comme le ferait l'utilisateur : un nom "
     "<code>arbre-…</code> ouvre la page, les autres fixent ses champs, cases et listes, et "
     "<code>ok</code> lance la conversion. Plusieurs noms désignent le même champ, car "
     "l'assistant réutilise ses contrôles d'une page à l'autre."),
    ("kTwinRows", "racine-instructions", "Instructions, variables et dossiers", [], ""),
    ("kSharedRows", "racine-objets", "Noms communs aux deux langues", [],
     "Cherchés après les noms français et anglais ci-dessus."),
    ("kBackgroundsObject", "obj-fonds", "fonds (maps)", ["fonds", "maps"],
     "Les fonds ouverts dans l'éditeur de maps. L'indice entre crochets choisit le fond pour "
     "les commandes qui agissent sur un fond : <code>fonds[2].grille 16</code>. Sans crochets, "
     "c'est le fond 1. Sans éditeur ouvert, les commandes sur les fonds ne font rien."),
    ("kHexModeObject", "obj-modehexa", "modehexa", ["modehexa"], "Le mode hexadécimal de l'éditeur."),
    ("kSystemObject", "obj-system", "system", ["system"], ""),
    ("kConvertObject", "obj-convert", "convert", ["convert"],
     "Les réglages de conversion (page Conversion des options)."),
    ("kEditorObject", "obj-editeur", "editeur (editor)", ["editeur", "editor"], ""),
    ("kSpecimenObject", "obj-specimen", "specimen", ["specimen"], ""),
    ("kBitsObject", "obj-bits", "bits", ["bits"],
     "La grille des bits. <code>textebit</code> et <code>bitactif</code> agissent sur le fond "
     "de l'indice : <code>bits[1]</code> (ou sans crochets) est le fond 1 ; <code>bits[0]</code> "
     "est refusé."),
    ("kListObject", "obj-liste", "liste (list)", ["liste", "list"],
     "Les paramètres du modèle de liste d'objets courant (<code>selmodele</code>)."),
    ("kFoldersObject", "obj-dossiers", "dossiers (folders)", ["dossiers", "folders"],
     "Le dossier où va un nouvel élément de chaque sorte quand il n'en a pas."),
    ("kGbaObject", "obj-gba", "gba", ["gba"],
     "Objet ajouté par la plate-forme Game Boy Advance au démarrage. Ses réglages sont écrits "
     "dans le projet."),
]


def table_rows(tables, objects, name):
    if name in ("kTwinRows", "kSharedRows"):
        return tables[name]
    source = objects[name]
    return tables[source]


def render(tables, objects):
    out, missing = [], []
    twin = tables["kTwinRows"]
    split = next(i for i, r in enumerate(twin) if r[0] == "ok")
    for table, anchor, title, names, intro in SECTIONS:
        rows = table_rows(tables, objects, table)
        if anchor == "racine-assistant":
            rows = rows[:split]
        elif anchor == "racine-instructions":
            rows = rows[split:]
        out.append(f'<h3 id="{anchor}">{html.escape(title)}</h3>')
        if intro:
            out.append(f"<p>{intro}</p>")
        out.append("<table class=\"ids\">")
        out.append("<tr><th>Français</th><th>English</th><th>Nature</th>"
                   "<th>Valeur ou arguments (départ)</th><th>Effet</th></tr>")
        for fr, en, kind, _ in rows:
            key = f"{table}.{fr}"
            if key not in D:
                missing.append(key)
            args, effect = D.get(key, ("", "?"))
            if args is None:
                args = "chaîne" if kind in ("champ de texte", "liste déroulante") else (
                    "0, 1 ou 2" if kind in ("case à cocher", "bouton radio") else "aucun")
            english = f"<code>{html.escape(en)}</code>" if en and en != fr else ("—" if not en else "(idem)")
            out.append(f"<tr><td><code>{html.escape(fr)}</code></td><td>{english}</td>"
                       f"<td>{kind}</td><td>{args}</td><td>{effect}</td></tr>")
        out.append("</table>")
    return "\n".join(out) + "\n", missing


def main():
    tables, objects = read_tables()
    block, missing = render(tables, objects)
    for key in missing:
        print(f"gen_script_reference: no description for {key}", file=sys.stderr)
    page = PAGE.read_text(encoding="utf-8")
    start = page.index(BEGIN) + len(BEGIN)
    end = page.index(END)
    updated = page[:start] + "\n" + block + page[end:]
    if "--check" in sys.argv[1:]:
        if updated != page:
            print("gen_script_reference: docs/help/script.html is out of date", file=sys.stderr)
            return 1
        return 0
    PAGE.write_text(updated, encoding="utf-8")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
