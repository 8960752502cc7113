#include "mapweaver/map_scripts.h"

namespace tripdesk::mapweaver {

const char* const kLeafletMapScript = R"JS(
(function () {
  var data = JSON.parse(document.getElementById('track-data').textContent);
  var note = document.getElementById('map-note');
  function showNote(text) { note.textContent = text; note.hidden = false; }
  if (typeof L === 'undefined') { showNote('Interaktívna mapa sa nedala načítať.'); return; }
  var map = L.map('map', { scrollWheelZoom: false });
  var tiles = L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {
    maxZoom: 19,
    attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a>'
  }).addTo(map);
  var warned = false;
  tiles.on('tileerror', function () {
    if (warned) return;
    warned = true;
    showNote('Mapové podklady nie sú dostupné (chýba pripojenie k internetu). Trasa je nakreslená aj v náčrte nižšie.');
  });
  var bounds = L.latLngBounds([]);
  data.runs.forEach(function (run) {
    var line = L.polyline(run.points, { color: run.private ? data.colours.private : data.colours.business,
                                        weight: 5, opacity: 0.85 }).addTo(map);
    line.bindTooltip(run.private ? 'Súkromná jazda' : 'Služobná jazda', { sticky: true });
    bounds.extend(line.getBounds());
  });
  data.starts.forEach(function (s) {
    L.circleMarker([s.lat, s.lon], { radius: 6, color: '#fff', weight: 2, fillColor: data.colours.start,
                                     fillOpacity: 1 }).bindTooltip('Začiatok jazdy ' + s.time).addTo(map);
    bounds.extend([s.lat, s.lon]);
  });
  data.stops.forEach(function (s) {
    var m = L.circleMarker([s.lat, s.lon], { radius: 10, color: '#fff', weight: 2, fillColor: data.colours.stop,
                                             fillOpacity: 1 }).addTo(map);
    m.bindTooltip(String(s.number), { permanent: true, direction: 'center', className: 'stop-number' });
    m.bindPopup('<b>Zastavenie ' + s.number + '</b><br>Príchod ' + s.arrival + '<br>Odchod ' + s.departure +
                '<br>Dĺžka ' + s.length);
  });
  if (data.end) {
    L.circleMarker([data.end.lat, data.end.lon], { radius: 6, color: '#fff', weight: 2, fillColor: '#212529',
                                                  fillOpacity: 1 }).bindTooltip('Posledný záznam ' + data.end.time).addTo(map);
    bounds.extend([data.end.lat, data.end.lon]);
  }
  if (bounds.isValid()) map.fitBounds(bounds, { padding: [24, 24], maxZoom: 17 });
})();
)JS";

const char* const kGoogleMapScript = R"JS(
function gm_authFailure() {
  var note = document.getElementById('map-note');
  note.textContent = 'Kľúč Google Maps bol odmietnutý. Trasa je nakreslená v náčrte nižšie.';
  note.hidden = false;
}
function mapLibraryFailed() {
  var note = document.getElementById('map-note');
  note.textContent = 'Google Maps nie sú dostupné (chýba pripojenie k internetu). Trasa je nakreslená v náčrte nižšie.';
  note.hidden = false;
}
function initMap() {
  var data = JSON.parse(document.getElementById('track-data').textContent);
  var map = new google.maps.Map(document.getElementById('map'), { mapTypeId: 'roadmap', scrollwheel: false });
  var bounds = new google.maps.LatLngBounds();
  function at(p) { var ll = new google.maps.LatLng(p[0], p[1]); bounds.extend(ll); return ll; }
  data.runs.forEach(function (run) {
    new google.maps.Polyline({ map: map, path: run.points.map(at), strokeWeight: 5, strokeOpacity: 0.85,
                               strokeColor: run.private ? data.colours.private : data.colours.business });
  });
  function dot(lat, lon, colour, scale) {
    return new google.maps.Marker({ map: map, position: at([lat, lon]),
      icon: { path: google.maps.SymbolPath.CIRCLE, scale: scale, fillColor: colour, fillOpacity: 1,
              strokeColor: '#fff', strokeWeight: 2 } });
  }
  data.starts.forEach(function (s) { dot(s.lat, s.lon, data.colours.start, 6).setTitle('Začiatok jazdy ' + s.time); });
  var info = new google.maps.InfoWindow();
  data.stops.forEach(function (s) {
    var m = dot(s.lat, s.lon, data.colours.stop, 10);
    m.setLabel({ text: String(s.number), color: '#fff' });
    m.addListener('click', function () {
      info.setContent('<b>Zastavenie ' + s.number + '</b><br>Príchod ' + s.arrival + '<br>Odchod ' + s.departure +
                      '<br>Dĺžka ' + s.length);
      info.open(map, m);
    });
  });
  if (data.end) dot(data.end.lat, data.end.lon, '#212529', 6).setTitle('Posledný záznam ' + data.end.time);
  if (!bounds.isEmpty()) map.fitBounds(bounds);
}
)JS";

}  // namespace tripdesk::mapweaver
